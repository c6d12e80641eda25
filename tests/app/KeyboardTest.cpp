// The window's own keys (Esc, Delete, type-ahead in the catalogue) and the File menu as a
// context menu over both panes.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/MainWindowHarness.h"
#include "support/MenuRobot.h"
#include "resource.h"

namespace {

class KeyboardTest : public MainWindowTest {
protected:
    // A copy of the program's icon under `name` in the test's folder; every copy holds one icon.
    std::string IconFile(const std::string& name) {
        return temp.WriteFile(name, ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON)));
    }
    ExplorerDialog& StartWith(const std::vector<std::string>& names) {
        std::string catalogue;
        for (const std::string& name : names)
            catalogue += IconFile(name) + "\r\n";
        WriteCatalogue(catalogue);
        return Start();
    }
    int Selected() { return Catalogue().GetCurSel(); }
    std::string SelectedName() {
        int selected = Selected();
        return selected < 0 ? "" : CatalogueNames()[static_cast<size_t>(selected)];
    }
    // Types a key into a pane that has the keyboard focus.
    void Type(HWND pane, UINT key) {
        SetFocus(pane);
        PressKey(pane, key);
    }
    // A real right click at the centre of `place` (client coordinates of `pane`): the cursor
    // moves there, as the window asks where the cursor is.
    void RightClick(HWND pane, const RECT& place) {
        POINT at = {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        POINT screen = at;
        ClientToScreen(pane, &screen);
        SetCursorPos(screen.x, screen.y);
        // Under Wine the position reads back as the old one for a while after the move.
        int steady = 0;
        for (int i = 0; i < 100 && steady < 5; ++i) {
            Sleep(20);
            POINT now{};
            GetCursorPos(&now);
            steady = now.x == screen.x && now.y == screen.y ? steady + 1 : 0;
        }
        ASSERT_EQ(steady, 5) << "the cursor did not move";
        PostMessageA(pane, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageA(pane, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        PumpMessages();
    }
    HMENU FileMenu() { return GetSubMenu(GetMenu(Window()), 0); }

    MenuRobot menus;
};

TEST_F(KeyboardTest, EscAndCtrlBreakInEitherPaneLeaveTheWindowOpen) {
    ExplorerDialog& window = StartWith({"Apple.ico", "Banana.ico"});
    SelectCatalogueItem(1);
    for (HWND pane : {window.CatalogueList(), window.IconView()}) {
        Type(pane, VK_ESCAPE);
        Type(pane, VK_CANCEL);
    }
    ASSERT_TRUE(IsWindow(Window()));
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(CatalogueNames().size(), 2u);
}

TEST_F(KeyboardTest, LettersFindTheNextNameDeleteRemovesAndOnlyTheCatalogueListensToThem) {
    ExplorerDialog& window = StartWith({"Apple.ico", "avocado.ico", "Banana.ico", "Cherry.ico", "Zebra.ico"});
    ASSERT_EQ(CatalogueNames(),
              (std::vector<std::string>{"Apple.ico", "Avocado.ico", "Banana.ico", "Cherry.ico", "Zebra.ico"}));
    HWND list = window.CatalogueList();

    // No name begins with "(": the Down arrow moves the selection as usual.
    Type(list, VK_DOWN);
    EXPECT_EQ(SelectedName(), "Avocado.ico");
    EXPECT_EQ(WindowText(Window()), temp.Path() + "avocado.ico - Glyphdock");

    SelectCatalogueItem(0);
    Type(list, 'A');
    EXPECT_EQ(SelectedName(), "Avocado.ico");
    EXPECT_EQ(WindowText(Window()), temp.Path() + "avocado.ico - Glyphdock") << "shown as by a click";
    Type(list, 'A');
    EXPECT_EQ(SelectedName(), "Apple.ico") << "from the top again";
    Type(list, 'B');
    EXPECT_EQ(SelectedName(), "Banana.ico");
    Type(list, 'B');
    EXPECT_EQ(SelectedName(), "Banana.ico") << "the selected item is never a candidate";

    Type(list, VK_DELETE);
    EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"Apple.ico", "Avocado.ico", "Cherry.ico", "Zebra.ico"}));
    EXPECT_EQ(SelectedName(), "Avocado.ico");

    // Ctrl+Z is the letter Z here; it restores nothing.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Type(list, 'Z');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(SelectedName(), "Zebra.ico");
    EXPECT_EQ(CatalogueNames().size(), 4u);

    // Keys typed into the icon view leave the catalogue alone.
    Type(window.IconView(), VK_DELETE);
    Type(window.IconView(), 'A');
    EXPECT_EQ(CatalogueNames().size(), 4u);
    EXPECT_EQ(SelectedName(), "Zebra.ico");

    // The Down arrow's code is that of "(": it finds such a name, wrapping to the top.
    ASSERT_TRUE(AddCatalogueFile(IconFile("(Paren).ico")));
    SelectCatalogueItem(1);
    Type(list, VK_DOWN);
    EXPECT_EQ(SelectedName(), "(Paren).ico");
}

TEST_F(KeyboardTest, RightClickOnAFileShowsTheFileMenuWhoseCommandsActOnTheFileSelectedBefore) {
    ExplorerDialog& window = StartWith({"Apple.ico", "Banana.ico", "Cherry.ico"});
    HWND list = window.CatalogueList();
    int selectedWhileShown = -2;
    menus.Expect([&](HWND menuWindow) {
        selectedWhileShown = Selected();
        MenuRobot::Keys({VK_DOWN, VK_DOWN, VK_RETURN})(menuWindow);  // New, Delete: chosen
    });
    RECT banana{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&banana));
    RightClick(list, banana);

    ASSERT_EQ(menus.Seen().size(), 1u);
    EXPECT_EQ(menus.Seen()[0].menu, FileMenu());
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(menus.Seen()[0].place.left, cursor.x) << "opens at the cursor";
    EXPECT_EQ(menus.Seen()[0].place.top, cursor.y);
    EXPECT_EQ(selectedWhileShown, 0) << "the right click selects nothing";
    EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"Banana.ico", "Cherry.ico"})) << "Apple.ico was removed";
}

TEST_F(KeyboardTest, RightClickInTheIconViewShowsTheFileMenu) {
    ExplorerDialog& window = StartWith({"Apple.ico", "Banana.ico"});
    HWND view = window.IconView();
    RECT icon{};
    ListView_GetItemRect(view, 0, &icon, LVIR_BOUNDS);
    RightClick(view, icon);
    ASSERT_EQ(menus.Seen().size(), 1u);
    EXPECT_EQ(menus.Seen()[0].menu, FileMenu());
    EXPECT_EQ(CatalogueNames().size(), 2u);
    EXPECT_EQ(Selected(), 0);
}

}  // namespace
