// The folder chooser as a user meets it: the system's folder browser with an edit box above the
// tree, answered by the dialog robot.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "files/FolderChooser.h"
#include "support/DialogRobot.h"
#include "support/TempFolder.h"

namespace {

RECT PlaceIn(HWND dialog, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// What the chooser showed when the robot came.
struct ChooserView {
    std::string edit;
    bool editAboveTree = false;
    bool titleAtTop = false;
    int visibleOtherTexts = 0;
    bool ansiFont = false;
    LRESULT editLimit = 0;
    bool showSelectionAlways = false;
    bool rootSelected = false;
    bool rootVisible = false;
};

BOOL CALLBACK LookAtStatic(HWND child, LPARAM data) {
    auto* view = reinterpret_cast<ChooserView*>(data);
    char className[80] = {};
    GetClassNameA(child, className, sizeof className);
    if (_stricmp(className, "Static") != 0 || !IsWindowVisible(child)) return TRUE;
    const RECT place = PlaceIn(GetParent(child), child);
    if (TextOf(child) == "Enter or select a folder")
        view->titleAtTop = place.top == 12 && place.bottom - place.top == 15;
    else
        ++view->visibleOtherTexts;
    return TRUE;
}

ChooserView LookAt(HWND dialog) {
    ChooserView view;
    HWND edit = GetDlgItem(dialog, ChooserEditId);
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    view.edit = TextOf(edit);
    const RECT editPlace = PlaceIn(dialog, edit), treePlace = PlaceIn(dialog, tree);
    view.editAboveTree = editPlace.top == 30 && editPlace.bottom - editPlace.top == 22 &&
                         treePlace.top == editPlace.bottom + 10 && editPlace.left == treePlace.left &&
                         editPlace.right == treePlace.right && IsWindowVisible(edit);
    EnumChildWindows(dialog, &LookAtStatic, reinterpret_cast<LPARAM>(&view));
    view.ansiFont = reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)) == GetStockObject(ANSI_VAR_FONT);
    view.editLimit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
    view.showSelectionAlways = (GetWindowLongPtrA(tree, GWL_STYLE) & TVS_SHOWSELALWAYS) != 0;
    HTREEITEM root = TreeView_GetRoot(tree);
    view.rootSelected = root && TreeView_GetSelection(tree) == root;
    RECT itemPlace{};
    view.rootVisible = TreeView_GetItemRect(tree, root, &itemPlace, TRUE) != FALSE;
    return view;
}

bool NoChooserStateLeft() {
    return !chooserDialog && !chooserEdit && !chooserTree && chooserInitialFolder[0] == 0;
}

TEST(FolderChooser, ShowsTheStartingFolderInTheEditBoxAboveTheTreeAndAnswersIt) {
    TempFolder folder;
    DialogRobot robot;
    for (int call = 0; call < 2; ++call) {  // a second call behaves as the first
        SCOPED_TRACE(call);
        // Folders made moments ago, which the browser does not always find.
        const std::string start = folder.Path() + "fresh" + std::to_string(call);
        ASSERT_TRUE(CreateDirectoryA(start.c_str(), nullptr));
        ChooserView view;
        robot.Expect([&](HWND dialog) {
            view = LookAt(dialog);
            DialogRobot::Press(IDOK)(dialog);
        });
        char output[MAX_PATH] = "unchanged";
        ASSERT_TRUE(ChooseFolder(nullptr, output, start.c_str()));
        EXPECT_STREQ(output, start.c_str());
        EXPECT_EQ(view.edit, start);
        EXPECT_TRUE(view.editAboveTree);
        EXPECT_TRUE(view.titleAtTop);
        EXPECT_EQ(view.visibleOtherTexts, 0);
        EXPECT_TRUE(view.ansiFont);
        EXPECT_EQ(view.editLimit, 259) << "a longer typed path would be cut into another one";
        EXPECT_TRUE(view.showSelectionAlways);
        EXPECT_TRUE(NoChooserStateLeft());
    }
    robot.Verify();
}

TEST(FolderChooser, TypedTextIsTheAnswerWithoutItsBlanksWhetherOrNotTheFolderExists) {
    DialogRobot robot;
    robot.Expect(DialogRobot::TypeAndPress(ChooserEditId, "  C:\\no such\\folder  ", IDOK))
        .Expect(DialogRobot::TypeAndPress(ChooserEditId, "   ", IDOK));
    char output[MAX_PATH] = "unchanged";
    EXPECT_TRUE(ChooseFolder(nullptr, output, ""));
    EXPECT_STREQ(output, "C:\\no such\\folder");
    EXPECT_TRUE(ChooseFolder(nullptr, output, "C:\\no such\\folder"));
    EXPECT_STREQ(output, "");
    robot.Verify();
    EXPECT_TRUE(NoChooserStateLeft());
}

TEST(FolderChooser, AMissingFolderSelectsTheRootAndCancelLeavesTheOutputAlone) {
    DialogRobot robot;
    ChooserView view;
    std::string afterVirtualSelection = "not looked at";
    robot.Expect([&](HWND dialog) {
        view = LookAt(dialog);
        // The computer's own item has no file-system path: it empties the edit box.
        HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
        char name[MAX_PATH] = {};
        for (HTREEITEM item = TreeView_GetChild(tree, TreeView_GetRoot(tree)); item;
             item = TreeView_GetNextSibling(tree, item)) {
            TVITEMA data{};
            data.mask = TVIF_TEXT;
            data.hItem = item;
            data.pszText = name;
            data.cchTextMax = sizeof name;
            TreeView_GetItem(tree, &data);
            if (std::strcmp(name, "My Computer") == 0) {
                TreeView_SelectItem(tree, item);
                afterVirtualSelection = TextOf(GetDlgItem(dialog, ChooserEditId));
            }
        }
        SetDlgItemTextA(dialog, ChooserEditId, "C:\\typed");
        DialogRobot::Press(IDCANCEL)(dialog);
    });
    char output[MAX_PATH] = "unchanged";
    EXPECT_FALSE(ChooseFolder(nullptr, output, "C:\\no such\\folder"));
    robot.Verify();
    EXPECT_STREQ(output, "unchanged");
    EXPECT_TRUE(view.rootSelected);
    EXPECT_TRUE(view.rootVisible);
    EXPECT_EQ(afterVirtualSelection, "");
    EXPECT_TRUE(NoChooserStateLeft());
}

}  // namespace
