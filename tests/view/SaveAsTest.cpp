// Save As from the main window: the proposed name, the folder the dialog opens in, the file
// written, and the roads for 16-bit modules and ICO files.
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "engine/IconSource.h"
#include "fixtures/IconFixtures.h"
#include "framework/CFileDialog.h"
#include "resource.h"
#include "support/EngineTestSupport.h"
#include "support/MainWindowHarness.h"

namespace {

constexpr int FileNameBox = 1148;  // the save dialog's file name box

// What the save dialog proposed when it opened: its file name and folder.
struct Proposal {
    std::string name, folder;
};

// Records the proposal, then types `typed` as the file name and confirms.
DialogRobot::Action AnswerSaveDialog(Proposal& seen, const std::string& typed) {
    return [&seen, typed](HWND dialog) {
        char text[MAX_PATH] = {};
        GetDlgItemTextA(dialog, FileNameBox, text, MAX_PATH);
        seen.name = text;
        seen.folder = FileDialogFolder(dialog) + "\\";
        DialogRobot::TypeAndPress(FileNameBox, typed, IDOK)(dialog);
    };
}

// The names given to the main window's group-name list, recorded in front of its procedure.
std::vector<std::string> listedNames;
WNDPROC listProcedure = nullptr;
LRESULT CALLBACK RecordListedName(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LB_ADDSTRING) listedNames.push_back(reinterpret_cast<const char*>(lParam));
    return CallWindowProcA(listProcedure, list, message, wParam, lParam);
}

class SaveAsTest : public MainWindowTest {
protected:
    // What the engine itself writes for icon `index` of `source`.
    std::string EngineBytes(const std::string& source, int index) {
        const std::string reference = temp.Path() + "reference.ico";
        DeleteFileA(reference.c_str());
        ExportIconGroup(source.c_str(), index, reference.c_str());
        return ReadWholeFile(reference);
    }
    std::string SaveAs(const std::string& typed) {
        Proposal seen;
        robot.Expect(AnswerSaveDialog(seen, typed));
        Command(ID_FILE_SAVE_AS);
        return seen.name;
    }

    std::string icons = FixturePath("icons64.dll");
};

// Windows 7 and later honour a folder in front of the name, not lpstrInitialDir.
TEST(FileDialog, TheFolderTravelsInFrontOfTheProposedName) {
    CFileDialog save(false, nullptr, "icons_003.ico", 0, "", nullptr);
    save.SetInitialFolder("C:\\out\\");
    EXPECT_EQ(save.ofn.lpstrInitialDir, nullptr);
    EXPECT_STREQ(save.ofn.lpstrFile, "C:\\out\\icons_003.ico");
}

TEST_F(SaveAsTest, WritesTheSelectedIconUnderTheNameChosenInTheFolderUsedLast) {
    WriteCatalogue(icons + "\r\n");
    Start();
    const std::string out = temp.Path() + "out\\";
    CreateDirectoryA(out.c_str(), nullptr);

    SelectIcons({3, 5});  // the lowest selected icon counts
    const HWND names = GetDlgItem(Window(), IDC_GROUP_NAME_LIST);
    listProcedure =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(names, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordListedName)));
    Proposal first, second;
    robot.Expect(DialogRobot::Browsing(out, AnswerSaveDialog(first, out + "chosen.ico")));
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(first.name, "icons64_003.ico");
    EXPECT_EQ(first.folder, dialog->StartupFolder());
    EXPECT_EQ(ReadWholeFile(out + "chosen.ico"), EngineBytes(icons, 3));
    EXPECT_STREQ(lastSaveAsFolder, out.c_str());
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current) + "\\", dialog->StartupFolder()) << "the folder chosen is not held in use";
    // The hidden list was given the module's group names in the system's order, and is empty again.
    std::vector<std::string> enumerated;
    for (const ModuleGroup& group : ReadModuleGroups(icons))
        enumerated.push_back(group.name);
    EXPECT_EQ(listedNames, enumerated);
    EXPECT_TRUE(ListBoxItems(names).empty());

    // No icon selected: icon 0; a name without an extension is kept as typed.
    SelectIcons({});
    robot.Expect(AnswerSaveDialog(second, out + "plain"));
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(second.name, "icons64_000.ico");
    EXPECT_EQ(second.folder, out);
    EXPECT_EQ(ReadWholeFile(out + "plain"), EngineBytes(icons, 0));

    // An existing file is replaced after the dialog's question.
    robot.Expect(AnswerSaveDialog(second, out + "chosen.ico")).Expect(DialogRobot::Press(IDYES));
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadWholeFile(out + "chosen.ico"), EngineBytes(icons, 0));
    EXPECT_EQ(FolderFiles(out), (std::vector<std::string>{"chosen.ico", "plain"}));
}

TEST_F(SaveAsTest, SixteenBitModulesTakeTheirOwnRoadAndIconFilesAreRefused) {
    using namespace fixtures;
    const std::string module =
        temp.WriteFile("old.tool.exe", NeIconModule({{BitmapImage(32, 32, 4, 1)}, {BitmapImage(32, 32, 8, 2)}}));
    const std::string icoSource = temp.WriteFile("picture.ico", IcoFile({BitmapImage(32, 32, 4, 3)}));
    WriteCatalogue(module + "\r\n" + icoSource + "\r\n");
    Start();
    ASSERT_EQ(CataloguePaths(), (std::vector<std::string>{module, icoSource}));

    SelectIcons({1});
    EXPECT_EQ(SaveAs(temp.Path() + "sixteen.ico"), "old_001.ico");
    EXPECT_EQ(ReadWholeFile(temp.Path() + "sixteen.ico"), EngineBytes(module, 1));

    SelectCatalogueItem(1);
    Proposal seen;
    robot.Expect(AnswerSaveDialog(seen, temp.Path() + "refused.ico")).Expect(DialogRobot::Press(IDOK));
    Command(ID_FILE_SAVE_AS);
    robot.Verify();
    EXPECT_EQ(seen.name, "picture_000.ico");
    EXPECT_EQ(robot.Seen().back().texts.back(), "This is already an icon file ! Operation aborted.");
    EXPECT_FALSE(FileExists(temp.Path() + "refused.ico"));
}

// The view counts the icons once; when the file then holds fewer groups, the view and the
// module disagree and nothing may be written. Like a damaged icon, it cannot be read: an
// existing file of the chosen name is left as it was, and the user is told.
TEST_F(SaveAsTest, AnIconThatCannotBeReadLeavesTheChosenFileAsItWasAndSaysSo) {
    const std::string changing = temp.WriteFile("changing.dll", ModuleWithADamagedGroup());
    const std::string kept = temp.WriteFile("kept.ico", "old icon");
    WriteCatalogue(changing + "\r\n");
    Start();
    for (int icon : {1, 2}) {
        SelectIcons({icon});
        if (icon == 2) {
            ASSERT_TRUE(CopyFileA("C:\\windows\\notepad.exe", changing.c_str(), FALSE));  // one group
        }
        Proposal seen;
        robot.Expect(AnswerSaveDialog(seen, kept)).Expect(DialogRobot::Press(IDYES)).Expect(DialogRobot::Press(IDOK));
        Command(ID_FILE_SAVE_AS);
        robot.Verify();
        EXPECT_EQ(robot.Seen().back().caption, "Glyphdock");
        EXPECT_EQ(robot.Seen().back().texts.back(), "The icon could not be read. Nothing was saved.");
        EXPECT_EQ(ReadWholeFile(kept), "old icon");
        EXPECT_EQ(FolderFiles(temp.Path()), (std::vector<std::string>{"changing.dll", "glyphdocklib.dat", "kept.ico"}));
    }
}

}  // namespace
