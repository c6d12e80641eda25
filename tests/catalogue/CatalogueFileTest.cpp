// The catalogue file: read at start-up, written when the window closes.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/CatalogueFileLook.h"
#include "files/ReplaceFile.h"
#include "framework/HandlerFailures.h"
#include "support/EngineTestSupport.h"
#include "support/MainWindowHarness.h"
#include "support/TestSeam.h"
#include "resource.h"

namespace {

constexpr const char* Notepad = "C:\\windows\\notepad.exe";
constexpr const char* Regedit = "C:\\windows\\regedit.exe";
constexpr const char* User32 = "C:\\windows\\system32\\user32.dll";
constexpr const char* OpenError = "Error occured while opening icons file.";

class CatalogueFileTest : public MainWindowTest {
protected:
    void Close() {
        Command(ID_FILE_EXIT);
        EXPECT_FALSE(IsWindow(closedWindow));
    }
    ExplorerDialog& Open() {
        ExplorerDialog& window = Start();
        closedWindow = window.GetSafeHwnd();
        return window;
    }
    std::vector<std::string> LeftoverTemporaryFiles() const {
        std::vector<std::string> found;
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA((temp.Path() + "gdk*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) return found;
        do
            found.push_back(data.cFileName);
        while (FindNextFileA(search, &data));
        FindClose(search);
        return found;
    }
    HWND closedWindow = nullptr;
};

TEST_F(CatalogueFileTest, ClosingWritesOnePathPerLineInListOrderWithCrLf) {
    WriteCatalogue(std::string(User32) + "\r\n" + Notepad + "\r\n" + Regedit + "\r\n");
    Open();
    Close();
    EXPECT_EQ(ReadWholeFile(CatalogueFile()), std::string(Notepad) + "\r\n" + Regedit + "\r\n" + User32 + "\r\n");
    EXPECT_TRUE(LeftoverTemporaryFiles().empty());
}

TEST_F(CatalogueFileTest, EmptyCatalogueRemovesTheFile) {
    WriteCatalogue("\r\n\r\n\r\n");  // only line ends: empty, no messages and no seeding
    ExplorerDialog& window = Open();
    EXPECT_TRUE(CatalogueNames().empty());
    EXPECT_EQ(ListViewItems(window.IconView()).size(), 0u);
    Close();
    EXPECT_FALSE(FileExists(CatalogueFile()));
}

TEST_F(CatalogueFileTest, HandEditedLinesGiveOneEntryPerDistinctPath) {
    // Other letter case and a duplicate, a line too long for a path, no line end at the end;
    // hundreds of empty lines between, as the lines are read in chunks.
    std::string empty;
    for (int i = 0; i < 600; ++i)
        empty += "\r\n";
    WriteCatalogue("C:\\WINDOWS\\NOTEPAD.EXE\r\n" + empty + std::string(Notepad) + "\r\n" + std::string(300, 'x') +
                   "\r\nC:\\windows\\missing.exe\r\n\r\n" + Regedit);
    Open();
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{"C:\\WINDOWS\\NOTEPAD.EXE", Regedit}));
    Close();
    EXPECT_EQ(ReadWholeFile(CatalogueFile()), std::string("C:\\WINDOWS\\NOTEPAD.EXE\r\n") + Regedit + "\r\n");
}

TEST_F(CatalogueFileTest, BinaryBytesAreReadAsTextAndRefusedOrAdded) {
    std::string binary;
    for (int i = 1; i < 256; ++i)
        if (i != 0x1A) binary += static_cast<char>(i);
    // A NUL byte ends a line's text; Ctrl+Z ends a file read as text.
    WriteCatalogue(std::string(Notepad) + '\0' + "tail\r\n" + binary + "\r\n" + Regedit + "\r\n\x1A" + User32 + "\r\n");
    Open();
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, Regedit}));
}

TEST_F(CatalogueFileTest, CatalogueThatCannotBeOpenedIsReportedAndNotSeeded) {
    DeleteFileA(CatalogueFile().c_str());
    ASSERT_TRUE(CreateDirectoryA(CatalogueFile().c_str(), nullptr));
    robot.Expect(DialogRobot::Press(IDOK));
    Open();
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "glyphdock_tests");
    EXPECT_EQ(robot.Seen()[0].texts.back(), OpenError);
    EXPECT_TRUE(CatalogueNames().empty()) << "no seeding when the file exists";
    // Closing with an empty catalogue leaves the folder alone and says nothing.
    Close();
    EXPECT_TRUE(GetFileAttributesA(CatalogueFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(CatalogueFileTest, FailedSaveKeepsThePreviousCatalogue) {
    std::string previous = std::string(Regedit) + "\r\n" + Notepad + "\r\n";
    WriteCatalogue(previous);
    Open();
    // Another program holds the catalogue open without sharing: it cannot be replaced.
    HANDLE held = CreateFileA(CatalogueFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    robot.Expect(DialogRobot::Press(IDOK));
    Close();
    CloseHandle(held);
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].texts.back(), OpenError);
    EXPECT_EQ(ReadWholeFile(CatalogueFile()), previous);
    EXPECT_TRUE(LeftoverTemporaryFiles().empty());
}

// The end of the session, or the Restart Manager before an update, which waits for the program
// to end itself: the catalogue is saved and the window ends. A scanner holding the file for a
// moment delays the save without a message.
TEST_F(CatalogueFileTest, TheEndOfTheSessionSavesTheCatalogueAndEndsTheWindow) {
    WriteCatalogue(std::string(Notepad) + "\r\n");
    Open();
    AddCatalogueFile(Regedit);
    EXPECT_EQ(SendMessageA(closedWindow, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), TRUE);
    HANDLE held = CreateFileA(CatalogueFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::thread scanner([held] {
        Sleep(50);
        CloseHandle(held);
    });
    SendMessageA(closedWindow, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    scanner.join();
    EXPECT_FALSE(IsWindow(closedWindow)) << "the window ends by itself";
    EXPECT_EQ(ReadWholeFile(CatalogueFile()), std::string(Notepad) + "\r\n" + Regedit + "\r\n");
}

// No message may hold the end of the session up: the failed save keeps the previous file.
TEST_F(CatalogueFileTest, AFailedSaveAtTheEndOfTheSessionSaysNothingAndKeepsThePreviousCatalogue) {
    const std::string previous = std::string(Notepad) + "\r\n";
    WriteCatalogue(previous);
    Open();
    AddCatalogueFile(Regedit);
    HANDLE held = CreateFileA(CatalogueFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SendMessageA(closedWindow, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    CloseHandle(held);
    EXPECT_FALSE(IsWindow(closedWindow));
    EXPECT_TRUE(robot.Seen().empty());
    EXPECT_EQ(ReadWholeFile(CatalogueFile()), previous);
    EXPECT_TRUE(LeftoverTemporaryFiles().empty());
}

// A drive letter with nothing behind it now (a USB stick, a share not yet connected): its lines
// are not shown and come back after the shown ones, in their order, once each. A file gone from
// a drive that is there is dropped.
TEST_F(CatalogueFileTest, LinesOnADriveThatIsNotThereAreKeptForALaterRun) {
    char letter = 'Q';
    while (letter < 'Z' && (GetLogicalDrives() & (1u << (letter - 'A'))))
        ++letter;
    const std::string away = std::string(1, letter) + ":\\Apps\\", awayTool = away + "tool.exe",
                      awayLibrary = away + "icons.dll", awayToolAgain = std::string(1, letter) + ":\\APPS\\TOOL.EXE";
    WriteCatalogue(awayTool + "\r\n" + Notepad + "\r\nC:\\windows\\missing.exe\r\n" + awayLibrary + "\r\n" +
                   awayToolAgain + "\r\n" + Regedit + "\r\n");
    ExplorerDialog& window = Open();
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, Regedit}));
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "2 Object(s)");
    Close();
    EXPECT_EQ(ReadWholeFile(CatalogueFile()),
              std::string(Notepad) + "\r\n" + Regedit + "\r\n" + awayTool + "\r\n" + awayLibrary + "\r\n");
}

CatalogueFileLook FailingLook(const char*) {
    throw std::runtime_error("out of memory");
}

// A start-up whose loading fails part way is told; every file added afterwards is counted.
TEST_F(CatalogueFileTest, AStartUpThatFailsPartWayLeavesTheCountWorking) {
    WriteCatalogue(std::string(Notepad) + "\r\n");
    static int failures = 0;
    ExplorerDialog* window = nullptr;
    {
        const TestSeam counting(SetHandlerFailureReporterForTesting, [](const char*) { ++failures; });
        const TestSeam failing(SetCatalogueLookForTesting, &FailingLook);
        window = &Open();
    }
    EXPECT_EQ(failures, 1);
    AddCatalogueFile(Regedit);
    EXPECT_EQ(StatusText(window->StatusBar(), 0), "1 Object(s)");
}

namespace {
// A full disk: the new file is created but cannot be written.
BOOL WINAPI FailWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
    *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}
}  // namespace

TEST_F(CatalogueFileTest, SaveThatCannotWriteItsNewFileLeavesNoTemporaryFile) {
    std::string previous = std::string(Notepad) + "\r\n";
    WriteCatalogue(previous);
    Open();
    const FileWriteFunction writer = SetFileWriterForTesting(FailWrite);
    robot.Expect(DialogRobot::Press(IDOK));
    Close();
    SetFileWriterForTesting(writer);
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].texts.back(), OpenError);
    EXPECT_EQ(ReadWholeFile(CatalogueFile()), previous);
    EXPECT_TRUE(LeftoverTemporaryFiles().empty());
}

TEST_F(CatalogueFileTest, SavingReplacesAFolderNamedLikeTheFileWithAMessageOnly) {
    WriteCatalogue(std::string(Notepad) + "\r\n");
    Open();
    DeleteFileA(CatalogueFile().c_str());
    ASSERT_TRUE(CreateDirectoryA(CatalogueFile().c_str(), nullptr));
    robot.Expect(DialogRobot::Press(IDOK));
    Close();
    EXPECT_EQ(robot.Seen().size(), 1u);
    EXPECT_TRUE(GetFileAttributesA(CatalogueFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(LeftoverTemporaryFiles().empty());
}

// In code page 932 the second byte of 表 is 0x5C, and that of ア and ヂ 'A' and 'a': a line under a
// folder whose name ends in 表 is read whole, and names that differ only in such a byte are two
// files, so two entries.
TEST_F(CatalogueFileTest, DoubleByteNamesAreReadWholeAndToldApart) {
    if (GetACP() != 932) GTEST_SKIP() << "runs in code page 932";
    const std::string icon = ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON));
    ASSERT_TRUE(CreateDirectoryA((temp.Path() + "\x83\x41\x83\x43\x83\x52\x83\x93\x95\x5C").c_str(), nullptr));
    const std::vector<std::string> files = {temp.WriteFile("\x83\x41\x83\x43\x83\x52\x83\x93\x95\x5C\\Picture.ico", icon),
                                            temp.WriteFile("\x83\x41.ico", icon), temp.WriteFile("\x83\x61.ico", icon)};
    WriteCatalogue(files[0] + "\r\n" + files[1] + "\r\n" + files[2] + "\r\n");
    Open();
    EXPECT_EQ(CataloguePaths(), files);
}

}  // namespace
