// The folder chooser as a user meets it: the system's folder browser with an edit box above the
// tree, answered by the dialog robot.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ui/FolderChooser.h"
#include "framework/DisplayScale.h"
#include "support/DialogRobot.h"
#include "support/TempFolder.h"

namespace {

RECT PlaceIn(HWND dialog, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What the chooser showed when the robot came.
struct ChooserView {
    std::string edit;
    bool editAboveTree = false;
    LRESULT editLimit = 0;
    bool rootSelected = false;
};

ChooserView LookAt(HWND dialog) {
    ChooserView view;
    HWND edit = GetDlgItem(dialog, ChooserEditId);
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    char text[MAX_PATH + 1] = {};
    GetWindowTextA(edit, text, sizeof text);
    view.edit = text;
    const RECT editPlace = PlaceIn(dialog, edit), treePlace = PlaceIn(dialog, tree);
    view.editAboveTree = editPlace.top == Scaled(30) && editPlace.bottom + Scaled(10) == treePlace.top &&
                         IsWindowVisible(edit) &&
                         (GetWindowLongPtrA(tree, GWL_STYLE) & TVS_SHOWSELALWAYS);
    view.editLimit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
    view.rootSelected = TreeView_GetSelection(tree) == TreeView_GetRoot(tree);
    return view;
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
        EXPECT_EQ(view.editLimit, 259) << "a longer typed path would be cut into another one";
    }
    robot.Verify();
}

TEST(FolderChooser, TypedTextIsTheAnswerWithoutBlanksAndCancelLeavesTheOutputAlone) {
    DialogRobot robot;
    ChooserView view;
    robot.Expect([&](HWND dialog) {
        view = LookAt(dialog);
        DialogRobot::TypeAndPress(ChooserEditId, "  C:\\no such\\folder  ", IDOK)(dialog);
    });
    robot.Expect(DialogRobot::TypeAndPress(ChooserEditId, "   ", IDOK))
        .Expect(DialogRobot::TypeAndPress(ChooserEditId, "C:\\typed", IDCANCEL));
    char output[MAX_PATH] = "unchanged";
    EXPECT_TRUE(ChooseFolder(nullptr, output, "C:\\missing folder"));
    EXPECT_TRUE(view.rootSelected) << "a missing starting folder selects the tree's root";
    char desktop[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
    EXPECT_EQ(view.edit, desktop) << "the root's path";
    EXPECT_STREQ(output, "C:\\no such\\folder");
    EXPECT_TRUE(ChooseFolder(nullptr, output, ""));
    EXPECT_STREQ(output, "");
    std::strcpy(output, "unchanged");
    EXPECT_FALSE(ChooseFolder(nullptr, output, ""));
    EXPECT_STREQ(output, "unchanged");
    robot.Verify();
}

TEST(FolderChooser, TheTreeEndsAboveTheHigherButtonWhateverTheirOrderAndCaptions) {
    // A browser of another language, its buttons after the tree, Cancel the higher one.
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 320, 320, nullptr, nullptr, nullptr, nullptr);
    const auto child = [dialog](const char* type, const char* text, int id, int top) {
        return CreateWindowExA(0, type, text, WS_CHILD, 10, top, 200, 20, dialog, HMENU(INT_PTR(id)), 0, 0);
    };
    HWND tree = child(WC_TREEVIEWA, "", 100, 40);
    child("BUTTON", "Valider", IDOK, 280);
    child("BUTTON", "Annuler", IDCANCEL, 260);
    EXPECT_EQ(ArrangeChooser(dialog, child("EDIT", "", ChooserEditId, 0)), tree);
    EXPECT_EQ(PlaceIn(dialog, tree).top, Scaled(30) + Scaled(22) + Scaled(10));
    EXPECT_EQ(PlaceIn(dialog, tree).bottom, 260 - Scaled(10));
    DestroyWindow(dialog);
}

}  // namespace
