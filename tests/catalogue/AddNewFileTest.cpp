// File, New: picking a file in the open dialog adds it to the catalogue and shows it.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "support/MainWindowHarness.h"
#include "resource.h"

namespace {

constexpr const char* Notepad = "C:\\windows\\notepad.exe";
constexpr const char* Regedit = "C:\\windows\\regedit.exe";
constexpr int FileNameBox = 1148;
constexpr int FilterBox = 1136;

// What the open dialog showed when it came.
struct OpenDialogSeen {
    std::string folder;
    std::string name;  // what the file name box held
    std::vector<std::string> filters;
    int chosenFilter = -1;
};

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// The dialog may spell a folder in other case, and without its trailing backslash.
bool SameFolder(const std::string& shown, const std::string& expected) {
    return lstrcmpiA(WithoutTrailingBackslash(shown).c_str(), WithoutTrailingBackslash(expected).c_str()) == 0;
}

class AddNewFileTest : public MainWindowTest {
protected:
    // The next open dialog is looked at, then `finish` answers it.
    void ExpectOpenDialog(DialogRobot::Action finish) {
        robot.Expect([this, finish](HWND open) {
            const std::string folder = FileDialogFolder(open);
            char name[MAX_PATH] = {};
            GetDlgItemTextA(open, FileNameBox, name, sizeof name);
            OpenDialogSeen look{WithoutTrailingBackslash(folder), name, {}, -1};
            HWND filters = GetDlgItem(open, FilterBox);
            for (LRESULT i = 0, n = SendMessageA(filters, CB_GETCOUNT, 0, 0); i < n; ++i) {
                char text[256] = {};
                SendMessageA(filters, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
                look.filters.push_back(text);
            }
            look.chosenFilter = static_cast<int>(SendMessageA(filters, CB_GETCURSEL, 0, 0));
            opened.push_back(look);
            finish(open);
        });
    }
    void Pick(const std::string& path) { ExpectOpenDialog(DialogRobot::TypeAndPress(FileNameBox, path, IDOK)); }
    void Cancel() { ExpectOpenDialog(DialogRobot::Press(IDCANCEL)); }
    int Selected() { return Catalogue().GetCurSel(); }

    std::vector<OpenDialogSeen> opened;
};

TEST_F(AddNewFileTest, PickingAFileAlreadyThereInOtherCaseSelectsItAndRebuildsTheView) {
    WriteCatalogue(std::string(Regedit) + "\r\n" + Notepad + "\r\n");
    ExplorerDialog& window = Start();
    ListView_SetItemText(window.IconView(), 0, 0, const_cast<char*>("changed"));

    ExpectOpenDialog(
        DialogRobot::Browsing("C:\\windows", DialogRobot::TypeAndPress(FileNameBox, "C:\\WINDOWS\\NotePad.EXE", IDOK)));
    Command(ID_FILE_NEW);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "Add New File");
    EXPECT_TRUE(SameFolder(opened[0].folder, window.StartupFolder())) << opened[0].folder;
    EXPECT_EQ(opened[0].name, "") << "the folder is not shown as a name";
    EXPECT_EQ(opened[0].filters, (std::vector<std::string>{"*.EXE, *.DLL, *.ICL", "All Files (*.*)"}));
    EXPECT_EQ(opened[0].chosenFilter, 0);

    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, Regedit}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(ListViewItems(window.IconView()), (std::vector<std::string>{"Icon: 000"})) << "rebuilt";
    EXPECT_STREQ(lastAddFolder, "C:\\WINDOWS\\");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_TRUE(SameFolder(current, window.StartupFolder())) << "the folder picked is not held in use: " << current;

    // A new file is added, selected and shown.
    SelectCatalogueItem(1);
    Pick(std::string("C:\\windows\\system32\\user32.dll"));
    Command(ID_FILE_NEW);
    EXPECT_EQ(CatalogueNames(), ShownNames({"Notepad.exe", "Regedit.exe", "User32.dll"}));
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(WindowText(Window()), "C:\\windows\\system32\\user32.dll - Glyphdock");
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "3 Object(s)");
    EXPECT_TRUE(SameFolder(opened.back().folder, "C:\\WINDOWS")) << "the folder of the file picked before";
}

TEST_F(AddNewFileTest, RefusedPickIsRememberedCancelChangesNothingAndAVanishedFolderFallsBack) {
    std::string folder = temp.Path() + "Pictures";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string notes = temp.WriteFile("Pictures\\notes.txt", "no icons here");
    std::string icon =
        temp.WriteFile("Pictures\\Picture.ico", ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON)));
    ExplorerDialog& window = Start();

    Pick(notes);
    robot.Expect(DialogRobot::Press(IDOK));  // the file holds no icons
    Command(ID_FILE_NEW);
    ASSERT_EQ(robot.Seen().size(), 2u);
    EXPECT_EQ(robot.Seen()[1].texts.back(), "The selected file does not contain icons.");
    EXPECT_TRUE(CatalogueNames().empty());

    Cancel();
    Command(ID_FILE_NEW);
    EXPECT_TRUE(SameFolder(opened.back().folder, folder)) << "the refused file's folder";
    EXPECT_EQ(opened.back().name, "");
    EXPECT_EQ(lastAddFolder, folder + "\\") << "Cancel changes nothing";
    EXPECT_TRUE(CatalogueNames().empty());

    // An icon file is not in the first filter, but can be picked all the same.
    Pick(icon);
    Command(ID_FILE_NEW);
    EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{Shown("Picture.ico")}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(ListViewItems(window.IconView()), (std::vector<std::string>{"Icon: 000"}));
    EXPECT_EQ(WindowText(Window()), icon + " - Glyphdock");

    // The dialog made the folder the current one, which keeps it from being removed. The current
    // folder is then neither that folder nor the start-up folder.
    SetCurrentDirectoryA(temp.Path().c_str());
    RemoveFolderTree(folder);
    ASSERT_FALSE(FileExists(folder));
    Cancel();
    Command(ID_FILE_NEW);
    EXPECT_TRUE(SameFolder(opened.back().folder, window.StartupFolder())) << opened.back().folder;
}

}  // namespace
