// The main window as the user first sees it, and every way of closing it.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <utility>

#include "app/ProcessObjects.h"
#include "framework/DisplayScale.h"
#include "support/MainWindowHarness.h"
#include "resource.h"
#include "ui/MenuItems.h"

namespace {

TEST_F(MainWindowTest, OpensAtItsSizeCentredWithThePanesOfTheFirstLayout) {
    ExplorerDialog& window = Start();
    HWND hwnd = window.GetSafeHwnd();
    ASSERT_TRUE(IsWindowVisible(hwnd));

    RECT outer;
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, Scaled(550));
    EXPECT_EQ(outer.bottom - outer.top, Scaled(400));
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(outer.left, work.left + (work.right - work.left - Scaled(550)) / 2);
    EXPECT_EQ(outer.top, work.top + (work.bottom - work.top - Scaled(400)) / 2);

    RECT client;
    GetClientRect(hwnd, &client);
    RECT tools = ChildRectInParent(hwnd, window.ToolBar());
    RECT status = ChildRectInParent(hwnd, window.StatusBar());
    RECT list = ChildRectInParent(hwnd, window.CatalogueList());
    RECT view = ChildRectInParent(hwnd, window.IconView());

    EXPECT_EQ(tools.top, 0);
    EXPECT_GT(tools.bottom, Scaled(20)) << "the toolbar shows its labelled buttons";
    EXPECT_GE(tools.right, client.right);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.right, client.right);

    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.right - list.left, Scaled(140));
    EXPECT_EQ(list.top, tools.bottom);
    EXPECT_EQ(list.bottom, status.top);
    EXPECT_EQ(view.left, Scaled(140) + Scaled(3));
    EXPECT_EQ(view.right, client.right);
    EXPECT_EQ(view.top, tools.bottom);
    EXPECT_EQ(view.bottom, status.top);

    EXPECT_EQ(GetFocus(), window.CatalogueList());
    EXPECT_FALSE(IsWindowVisible(window.GetDlgItem(IDC_SPLITTER_BAR)));
    EXPECT_EQ(WindowText(window.GetDlgItem(IDC_SPLITTER_BAR)), "");
    EXPECT_FALSE(IsWindowVisible(window.GetDlgItem(IDC_GROUP_NAME_LIST)));
}

// At the screen's scale: the icons at the system's sizes, the command pictures drawn for it, and
// lines and menu items never lower than their pictures and fonts need.
TEST_F(MainWindowTest, PicturesAndLinesHaveTheirSizesAtTheScreensScale) {
    ExplorerDialog& window = Start();
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(Scaled(96), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    const auto sizeOf = [](HIMAGELIST list) {
        int width = 0, height = 0;
        ImageList_GetIconSize(list, &width, &height);
        return std::make_pair(width, height);
    };
    EXPECT_EQ(sizeOf(largeIconList), std::make_pair(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    EXPECT_EQ(sizeOf(smallIconList), std::make_pair(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(window.IconView(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)),
              largeIconList.GetSafeHandle());
    const auto toolbarPictures =
        reinterpret_cast<HIMAGELIST>(SendMessageA(window.ToolBar(), TB_GETIMAGELIST, 0, 0));
    // The toolbar's own cells are 16 wide, and at least 15 high, at 96 DPI.
    EXPECT_EQ(sizeOf(toolbarPictures).first, Scaled(16));
    EXPECT_GE(sizeOf(toolbarPictures).second, Scaled(15));
    EXPECT_EQ(sizeOf(toolImageList), std::make_pair(Scaled(16), Scaled(15)));

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(MenuItemRecordOf(GetSubMenu(GetMenu(window.GetSafeHwnd()), 0), 0));
    SendMessageA(window.GetSafeHwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    HDC dc = GetDC(window.GetSafeHwnd());
    HGDIOBJ previous = SelectObject(dc, MenuFont());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window.GetSafeHwnd(), dc);
    EXPECT_GE(static_cast<int>(measure.itemHeight), Scaled(19));
    EXPECT_GT(static_cast<int>(measure.itemHeight), metrics.tmHeight);
    if (Scaled(96) == 96) {
        EXPECT_EQ(measure.itemHeight, 19u);
    }
    EXPECT_GE(SendMessageA(window.CatalogueList(), LB_GETITEMHEIGHT, 0, 0), GetSystemMetrics(SM_CYSMICON));
}

TEST_F(MainWindowTest, ToolBarHasTenButtonsWithTheirLabelsAndPictures) {
    ExplorerDialog& window = Start();
    HWND tools = window.ToolBar();
    ASSERT_EQ(SendMessageA(tools, TB_BUTTONCOUNT, 0, 0), 10);

    struct Expected {
        int command;
        int image;
        const char* label;
    };
    const Expected buttons[] = {
        {ID_FILE_NEW, 0, "New"},           {ID_FILE_DELETE, 10, "Delete"},
        {ID_FILE_UNDO_DELETE, 9, "Undo"},  {0, 0, nullptr},
        {ID_FILE_COPY, 4, "Copy"},         {ID_FILE_SAVE_AS, 2, "Save As"},
        {ID_FILE_SAVE_ALL, 8, "Save All"}, {0, 0, nullptr},
        {ID_PREVIOUS_FILE, 12, "Back"},    {ID_NEXT_FILE, 13, "Forward"},
    };
    for (int i = 0; i < 10; ++i) {
        TBBUTTON button{};
        ASSERT_TRUE(SendMessageA(tools, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)));
        if (!buttons[i].label) {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP) << "position " << i;
            continue;
        }
        EXPECT_EQ(button.idCommand, buttons[i].command) << "position " << i;
        EXPECT_EQ(button.iBitmap, buttons[i].image) << "position " << i;
        EXPECT_EQ(ToolButtonLabel(tools, buttons[i].command), buttons[i].label);
    }
    EXPECT_TRUE(GetWindowLongPtrA(tools, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_FALSE(GetWindowLongPtrA(tools, GWL_STYLE) & TBSTYLE_LIST) << "labels show beneath the pictures";
    EXPECT_EQ(SendMessageA(tools, TB_GETTOOLTIPS, 0, 0), 0) << "the toolbar has no tool tips";
}

TEST_F(MainWindowTest, StatusBarHasTwoPartsWhoseFirstIs140PixelsWide) {
    ExplorerDialog& window = Start();
    int edges[4] = {};
    ASSERT_EQ(SendMessageA(window.StatusBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    RECT client;
    GetClientRect(window.GetSafeHwnd(), &client);
    EXPECT_EQ(edges[0], Scaled(140));
    EXPECT_EQ(edges[1], client.right);
    EXPECT_TRUE(GetWindowLongPtrA(window.StatusBar(), GWL_STYLE) & SBARS_SIZEGRIP);

    // Narrower and wider windows keep the first part and move the second's end with the edge.
    SetWindowPos(window.GetSafeHwnd(), nullptr, 0, 0, Scaled(700), Scaled(300), SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    GetClientRect(window.GetSafeHwnd(), &client);
    ASSERT_EQ(SendMessageA(window.StatusBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], Scaled(140));
    EXPECT_EQ(edges[1], client.right);
    EXPECT_EQ(ChildRectInParent(window.GetSafeHwnd(), window.StatusBar()).bottom, client.bottom);
}

TEST_F(MainWindowTest, NarrowWindowClipsTheToolBarAndKeepsTheIconViewInPlace) {
    ExplorerDialog& window = Start();
    HWND hwnd = window.GetSafeHwnd();
    RECT before = ChildRectInParent(hwnd, window.IconView());
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    int frame = (outer.right - outer.left) - client.right;
    SetWindowPos(hwnd, nullptr, 0, 0, Scaled(250) + frame, Scaled(400), SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();

    // The buttons keep their places on one row; the window clips what does not fit.
    RECT first{}, last{};
    SendMessageA(window.ToolBar(), TB_GETRECT, ID_FILE_NEW, reinterpret_cast<LPARAM>(&first));
    SendMessageA(window.ToolBar(), TB_GETRECT, ID_NEXT_FILE, reinterpret_cast<LPARAM>(&last));
    EXPECT_GT(last.right, Scaled(250));
    EXPECT_EQ(last.top, first.top);
    RECT view = ChildRectInParent(hwnd, window.IconView());
    EXPECT_EQ(view.left, before.left);
    EXPECT_EQ(view.right, before.right) << "below 300 pixels the icon view keeps its place and size";

    SetWindowPos(hwnd, nullptr, 0, 0, Scaled(400) + frame, Scaled(400), SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    GetClientRect(hwnd, &client);
    view = ChildRectInParent(hwnd, window.IconView());
    EXPECT_EQ(view.left, Scaled(140) + Scaled(3));
    EXPECT_EQ(view.right, client.right);
}

TEST_F(MainWindowTest, MenuHoldsTheFileAndHelpCommandsWithTheirPicturesAndUndoDeleteDisabled) {
    ExplorerDialog& window = Start();
    HMENU bar = GetMenu(window.GetSafeHwnd());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    struct Item {
        int command;
        const char* text;
        int image;
    };
    const Item file[] = {{ID_FILE_NEW, "&New", 0},         {ID_FILE_DELETE, "&Delete", 10},
                         {ID_FILE_UNDO_DELETE, "&Undo Delete", 9}, {0, nullptr, 0},
                         {ID_FILE_COPY, "&Copy", 4},       {ID_FILE_SAVE_AS, "Save &As...", 2},
                         {ID_FILE_SAVE_ALL, "Save A&ll", 8}, {0, nullptr, 0},
                         {ID_FILE_EXIT, "E&xit", 2000}};
    const Item help[] = {{ID_HELP_CONTENTS, "Help &Contents", 2000}, {ID_HELP_ABOUT, "&About Glyphdock", 7}};
    auto check = [](HMENU popup, const Item* items, int count) {
        ASSERT_EQ(GetMenuItemCount(popup), count);
        for (int i = 0; i < count; ++i) {
            UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
            if (!items[i].text) {
                EXPECT_TRUE(state & MF_SEPARATOR);
                EXPECT_FALSE(state & MF_OWNERDRAW) << "separators stay ordinary";
                continue;
            }
            EXPECT_EQ(MenuItemText(popup, i), items[i].text);
            EXPECT_EQ(GetMenuItemID(popup, i), static_cast<UINT>(items[i].command));
            const MenuItemRecord* record = MenuItemRecordOf(popup, i);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->imageIndex, items[i].image) << items[i].text;
        }
    };
    check(GetSubMenu(bar, 0), file, 9);
    check(GetSubMenu(bar, 1), help, 2);
    EXPECT_TRUE(MenuItemState(window.GetSafeHwnd(), ID_FILE_UNDO_DELETE) & MF_DISABLED);
    EXPECT_FALSE(MenuItemState(window.GetSafeHwnd(), ID_FILE_NEW) & (MF_DISABLED | MF_GRAYED));
}

TEST_F(MainWindowTest, WindowCarriesTheProgramIconAndAnswersItAsDragIcon) {
    ExplorerDialog& window = Start();
    HWND hwnd = window.GetSafeHwnd();
    ASSERT_NE(window.MainIcon(), nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), window.MainIcon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), window.MainIcon());
}

TEST_F(MainWindowTest, EnterLeavesTheWindowOpen) {
    ExplorerDialog& window = Start();
    PressKey(window.CatalogueList(), VK_RETURN);
    PressKey(window.IconView(), VK_RETURN);
    EXPECT_TRUE(IsWindow(window.GetSafeHwnd()));
    EXPECT_TRUE(IsWindowVisible(window.GetSafeHwnd()));
}

TEST_F(MainWindowTest, HelpAboutShowsTheAboutBoxOwnedByTheWindow) {
    ExplorerDialog& window = Start();
    HWND owner = nullptr;
    robot.Expect([&owner](HWND about) {
        owner = GetWindow(about, GW_OWNER);
        DialogRobot::Press(IDOK)(about);
    });
    Command(ID_HELP_ABOUT);
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "About Glyphdock");
    EXPECT_EQ(owner, window.GetSafeHwnd());
    EXPECT_TRUE(IsWindowEnabled(window.GetSafeHwnd())) << "the owner is enabled again afterwards";
}

// Every way of closing reaches the cancel command exactly once, and the window's loop ends.
class ClosingTest : public MainWindowTest {
protected:
    void CountCancelCommands() {
        counting = this;
        previousProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosingTest::Counter)));
    }
    static LRESULT CALLBACK Counter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ++counting->cancelCommands;
        return CallWindowProcA(counting->previousProc, window, message, wParam, lParam);
    }
    void ExpectClosedOnce() {
        RunModalLoopFor(5000);
        EXPECT_FALSE(IsWindow(closedWindow));
        EXPECT_EQ(cancelCommands, 1);
    }
    HWND Open() {
        Start();
        closedWindow = Window();
        CountCancelCommands();
        return closedWindow;
    }

    static inline ClosingTest* counting = nullptr;
    WNDPROC previousProc = nullptr;
    int cancelCommands = 0;
    HWND closedWindow = nullptr;
};

TEST_F(ClosingTest, FileExit) {
    PostMessageA(Open(), WM_COMMAND, ID_FILE_EXIT, 0);
    ExpectClosedOnce();
}

TEST_F(ClosingTest, CloseBoxAndSystemMenuClose) {
    PostMessageA(Open(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectClosedOnce();
}

TEST_F(ClosingTest, AltF4) {
    HWND window = Open();
    UINT scan = MapVirtualKeyA(VK_F4, 0);
    PostMessageA(GetDlgItem(window, IDC_CATALOGUE_LIST), WM_SYSKEYDOWN, VK_F4, 1 | (scan << 16) | (1 << 29));
    ExpectClosedOnce();
}

TEST_F(ClosingTest, CloseMessage) {
    PostMessageA(Open(), WM_CLOSE, 0, 0);
    ExpectClosedOnce();
}

// A quit message meant for another loop still closes the window the usual way (the catalogue
// is saved), and goes on to that loop.
TEST_F(ClosingTest, StrayQuitMessage) {
    Open();
    PostQuitMessage(7);
    ExpectClosedOnce();
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

}  // namespace
