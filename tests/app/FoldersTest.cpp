// Where the program takes its start-up folder and its catalogue file from.
#include <windows.h>

#include <string>

#include "files/WideNames.h"
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

// A user profile named in a script the code page cannot hold: the temporary folder's 8-bit name
// holds '?' in place of its letters. Its short name is used instead, so the catalogue is read
// and written there; without one the catalogue lives in the start-up folder.
TEST_F(MainWindowTest, TemporaryFolderNamedOutsideTheCodePageIsTakenByItsShortName) {
    const std::wstring folder = WideFromAnsi(temp.Path().c_str()) + L"\u041F\u0430\u043F\u043A\u0430";
    std::string name;
    if (AnsiFromWide(folder.c_str(), name)) GTEST_SKIP() << "the code page holds Cyrillic";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    SetEnvironmentVariableW(L"TEMP", folder.c_str());
    SetCurrentDirectoryA(WithoutTrailingBackslash(temp.Path()).c_str());
    wchar_t shortName[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(folder.c_str(), shortName, MAX_PATH);
    const bool named = length > 0 && length < MAX_PATH && AnsiFromWide(shortName, name);
    const HANDLE file = CreateFileW((folder + L"\\glyphdocklib.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0,
                                    nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "C:\\windows\\notepad.exe\r\n", 24, &written, nullptr);
    CloseHandle(file);

    ExplorerDialog& window = Start();
    if (named) {
        EXPECT_EQ(std::string(window.CatalogueFilePath()), name + "\\glyphdocklib.dat");
        EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{"C:\\windows\\notepad.exe"}));
    } else {
        EXPECT_EQ(std::string(window.CatalogueFilePath()), temp.Path() + "glyphdocklib.dat");
    }
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
