// Files handed to the program from outside: dropped on its window, or named on its command line.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/ProcessObjects.h"
#include "support/MainWindowHarness.h"

namespace {

constexpr const char* Notepad = "C:\\windows\\notepad.exe";
constexpr const char* Regedit = "C:\\windows\\regedit.exe";

// The drop a file manager hands over: the names one after another, ended by an empty one.
HDROP MakeDrop(const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& file : files)
        names += file + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(drop + 1, names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

using HandedFilesTest = MainWindowTest;

TEST_F(HandedFilesTest, DroppedFilesAreAddedAsPickedOnesAndTheLastOneInTheCatalogueIsShown) {
    WriteCatalogue(std::string(Notepad) + "\r\n");
    std::string icon = temp.WriteFile("Picture.ico", ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON)));
    ExplorerDialog& window = Start();
    EXPECT_TRUE(GetWindowLongPtrA(Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    robot.Expect(DialogRobot::Press(IDOK));  // the folder holds no icons
    std::vector<std::string> dropped = {Regedit, "C:\\WINDOWS\\NOTEPAD.EXE", "C:\\windows\\missing.exe",
                                        "C:\\windows", icon, Regedit + std::string(300, 'x')};
    PostMessageA(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);
    PumpMessages();
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].texts.back(), "The selected file does not contain icons.");
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, icon, Regedit}));
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "3 Object(s)");
    EXPECT_EQ(Catalogue().GetCurSel(), 1);
    EXPECT_EQ(WindowText(Window()), icon + " - Glyphdock");
    EXPECT_EQ(ListViewItems(window.IconView()), (std::vector<std::string>{"Icon: 000"}));
    EXPECT_EQ(lastAddFolder[0], 0) << "the dialog's folder is the dialog's own";
}

TEST_F(HandedFilesTest, FilesNamedAtStartAreAddedAfterTheCatalogueAndTheLastIsShown) {
    WriteCatalogue(std::string(Regedit) + "\r\n");
    SetCurrentDirectoryA("C:\\windows");
    commandLineFiles = {"notepad.exe", "C:\\windows\\missing.exe", ""};
    ExplorerDialog& window = Start();
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, Regedit})) << "stored as full paths";
    EXPECT_EQ(Catalogue().GetCurSel(), 0);
    EXPECT_EQ(WindowText(Window()), std::string(Notepad) + " - Glyphdock");
    EXPECT_EQ(StatusText(window.StatusBar(), 1), " 1 Icon(s)");
    EXPECT_TRUE(commandLineFiles.empty());
}

struct FoundWindow {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM found) {
    auto* search = reinterpret_cast<FoundWindow*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && GetMenu(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

// What "Open with" does: the program file started with the files' paths.
TEST(ProgramCommandLine, StartsAsUsualThenAddsAndShowsTheNamedFiles) {
    TempFolder catalogueFolder;
    SetEnvironmentVariableA("TMP", catalogueFolder.Path().c_str());
    SetEnvironmentVariableA("TEMP", catalogueFolder.Path().c_str());
    catalogueFolder.WriteFile("glyphdocklib.dat", std::string(Regedit) + "\r\n");

    std::string program = HostPathToWindows(GLYPHDOCK_EXE_PATH);
    std::string commandLine = "\"" + program + "\" \"" + Notepad + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               catalogueFolder.Path().c_str(), &startup, &started));
    FoundWindow search{started.dwProcessId, nullptr};
    for (int i = 0; i < 400 && !search.window; ++i) {
        Sleep(50);
        EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    }
    EXPECT_NE(search.window, nullptr) << "the main window never showed";
    if (search.window) {
        EXPECT_EQ(WindowText(search.window), std::string(Notepad) + " - Glyphdock");
        PostMessageA(search.window, WM_CLOSE, 0, 0);
    }
    DWORD ended = WaitForSingleObject(started.hProcess, 20000);
    EXPECT_EQ(ended, WAIT_OBJECT_0) << "the program did not end after its window closed";
    if (ended != WAIT_OBJECT_0) TerminateProcess(started.hProcess, 1);
    WaitForSingleObject(started.hProcess, 5000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    EXPECT_EQ(ReadWholeFile(catalogueFolder.Path() + "glyphdocklib.dat"),
              std::string(Notepad) + "\r\n" + Regedit + "\r\n");
    SetCurrentDirectoryA("C:\\");
}

}  // namespace
