// Where the program takes its start-up folder and its catalogue file from.
#include <windows.h>

#include <string>

#include "support/MainWindowHarness.h"

namespace {

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// A folder below `base` whose path is about `length` characters long.
std::string MakeDeepFolder(const std::string& base, size_t length) {
    std::string path = WithoutTrailingBackslash(base);
    while (path.size() + 1 < length) {
        size_t room = length - path.size() - 1;
        path += "\\" + std::string(std::min<size_t>(room, 60), 'd');
        if (!CreateDirectoryA(path.c_str(), nullptr)) break;
    }
    return path;
}

TEST_F(MainWindowTest, CatalogueFileLivesInTheTemporaryFolder) {
    SetCurrentDirectoryA(WithoutTrailingBackslash(temp.Path()).c_str());
    ExplorerDialog& window = Start();
    EXPECT_EQ(std::string(window.StartupFolder()), temp.Path());
    EXPECT_EQ(std::string(window.CatalogueFilePath()), temp.Path() + "glyphdocklib.dat");
}

TEST_F(MainWindowTest, StartupFolderInADriveRootGetsNoSecondBackslash) {
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    ExplorerDialog& window = Start();
    EXPECT_STREQ(window.StartupFolder(), "C:\\");
}

TEST_F(MainWindowTest, TemporaryFolderWithoutRoomForTheFileNameGivesTheStartupFolder) {
    // 249 characters plus "glyphdocklib.dat" would not fit in a path buffer.
    std::string longTemp = "C:\\" + std::string(245, 't') + "\\";
    ASSERT_EQ(longTemp.size(), 249u);
    SetEnvironmentVariableA("TMP", longTemp.c_str());
    SetEnvironmentVariableA("TEMP", longTemp.c_str());
    SetCurrentDirectoryA(WithoutTrailingBackslash(temp.Path()).c_str());
    ExplorerDialog& window = Start();
    EXPECT_EQ(std::string(window.CatalogueFilePath()), temp.Path() + "glyphdocklib.dat");
}

TEST_F(MainWindowTest, TemporaryFolderLongerThanAPathGivesTheStartupFolder) {
    std::string tooLong = "C:\\" + std::string(300, 't');
    SetEnvironmentVariableA("TMP", tooLong.c_str());
    SetEnvironmentVariableA("TEMP", tooLong.c_str());
    SetCurrentDirectoryA(WithoutTrailingBackslash(temp.Path()).c_str());
    ExplorerDialog& window = Start();
    EXPECT_EQ(std::string(window.CatalogueFilePath()), temp.Path() + "glyphdocklib.dat");
}

TEST_F(MainWindowTest, NoRoomAnywhereLeavesTheCatalogueWithoutAFile) {
    std::string deep = MakeDeepFolder(temp.Path(), 250);
    ASSERT_TRUE(SetCurrentDirectoryA(deep.c_str())) << deep;
    std::string longTemp = "C:\\" + std::string(245, 't') + "\\";
    SetEnvironmentVariableA("TMP", longTemp.c_str());
    SetEnvironmentVariableA("TEMP", longTemp.c_str());
    // Without a catalogue file the catalogue is seeded; Wine's explorer.exe holds no icons.
    robot.Expect(DialogRobot::Press(IDOK));
    ExplorerDialog& window = Start();
    EXPECT_EQ(std::string(window.StartupFolder()), deep + "\\");
    EXPECT_STREQ(window.CatalogueFilePath(), "");
    EXPECT_TRUE(IsWindowVisible(window.GetSafeHwnd()));
}

}  // namespace
