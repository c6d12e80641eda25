// Dragging the border between the panes, and the minimised window.
#include <windows.h>

#include "framework/DisplayScale.h"
#include "support/MainWindowHarness.h"
#include "resource.h"

namespace {

class SplitterTest : public MainWindowTest {
protected:
    // Mouse messages on the window's own surface, through its loop and pre-filter.
    void Mouse(UINT message, int x, WPARAM buttons) {
        PostMessageA(Window(), message, buttons, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(PaneTop() + Scaled(20))));
        PumpMessages();
    }
    void Drag(int toX) {
        Mouse(WM_LBUTTONDOWN, Scaled(141), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, toX, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, toX, 0);
    }
    int ListWidth() {
        RECT list = ChildRectInParent(Window(), dialog->CatalogueList());
        return list.right - list.left;
    }
    int ViewLeft() { return ChildRectInParent(Window(), dialog->IconView()).left; }
    // The panes lie between the toolbar and the status bar.
    int PaneTop() { return ChildRectInParent(Window(), dialog->ToolBar()).bottom; }
    int PaneBottom() { return ChildRectInParent(Window(), dialog->StatusBar()).top; }
};

TEST_F(SplitterTest, DragMovesTheBorderWithinItsLimits) {
    Start();
    RECT client;
    GetClientRect(Window(), &client);

    Drag(Scaled(200));
    EXPECT_EQ(ListWidth(), Scaled(200));
    EXPECT_EQ(ViewLeft(), Scaled(200) + Scaled(3));
    Drag(5);
    EXPECT_EQ(ListWidth(), Scaled(20));
    Drag(Scaled(20));
    EXPECT_EQ(ListWidth(), Scaled(20));
    Drag(-40);  // left of the window while the mouse is captured
    EXPECT_EQ(ListWidth(), Scaled(20));
    Drag(client.right);
    EXPECT_EQ(ListWidth(), client.right - Scaled(100));
    EXPECT_EQ(ViewLeft(), client.right - Scaled(100) + Scaled(3));
}

TEST_F(SplitterTest, BarShowsOnlyWhileDraggingAndMovesAlone) {
    Start();
    HWND bar = dialog->GetDlgItem(IDC_SPLITTER_BAR);
    Mouse(WM_LBUTTONDOWN, Scaled(141), MK_LBUTTON);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(GetCapture(), Window());
    Mouse(WM_MOUSEMOVE, Scaled(250), MK_LBUTTON);
    RECT place = ChildRectInParent(Window(), bar);
    EXPECT_EQ(place.left, Scaled(250));
    EXPECT_EQ(place.right - place.left, Scaled(2));
    EXPECT_EQ(place.top, PaneTop());
    EXPECT_EQ(place.bottom, PaneBottom());
    EXPECT_EQ(ListWidth(), Scaled(140)) << "the panes wait for the release";
    Mouse(WM_MOUSEMOVE, Scaled(300), 0);  // moves without the button do not drag
    EXPECT_EQ(ChildRectInParent(Window(), bar).left, Scaled(250));
    Mouse(WM_LBUTTONUP, Scaled(300), 0);
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_NE(GetCapture(), Window());
    EXPECT_EQ(ListWidth(), Scaled(250));
}

// A menu, a message box or another program taking the mouse ends the drag where it began.
TEST_F(SplitterTest, AnotherWindowTakingTheCaptureAbandonsTheDrag) {
    Start();
    HWND bar = dialog->GetDlgItem(IDC_SPLITTER_BAR);
    Mouse(WM_LBUTTONDOWN, Scaled(141), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, Scaled(250), MK_LBUTTON);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(bar));
    DestroyWindow(other);
    Mouse(WM_LBUTTONUP, Scaled(250), 0);  // a later release in the gap lays out the old border again
    EXPECT_EQ(ListWidth(), Scaled(140));
}

TEST_F(SplitterTest, MinimisedWindowPaintsAndRestores) {
    Start();
    ShowWindow(Window(), SW_MINIMIZE);
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_TRUE(IsIconic(Window()));
    ShowWindow(Window(), SW_RESTORE);
    PumpMessages();
    EXPECT_EQ(ListWidth(), Scaled(140));
    EXPECT_EQ(ViewLeft(), Scaled(140) + Scaled(3));
}

}  // namespace
