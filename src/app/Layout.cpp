#include <algorithm>

#include "app/ExplorerDialog.h"
#include "app/Layout.h"
#include "framework/CWinApp.h"
#include "framework/DisplayScale.h"
#include "framework/GdiObjects.h"
#include "resource.h"

namespace {
// Pixels in the main window's client coordinates.
int splitterPos = 140;  // width of the catalogue list; the icon view starts 3 pixels right of it
int paneTop = 0;        // bottom edge of the toolbar
int paneBottom = 0;     // top edge of the status bar
UINT lastSizeType = SIZE_RESTORED;
int lastClientWidth = 0;
int lastClientHeight = 0;
CBrush splitterBrush;  // paints the splitter bar while it is dragged

// A drag in progress, and the splitter position when it began, to go back to when the window
// loses the mouse capture before the button is released.
bool dragging = false;
int dragStartPos = 0;

void Place(HWND window, int x, int y, int width, int height) {
    MoveWindow(window, x, y, std::max(width, 0), std::max(height, 0), TRUE);
}
}  // namespace

void ExplorerDialog::SetUpSplitter() {
    splitterPos = Scaled(InitialSplitterPos);
    splitterCursor = LoadCursorA(AppInstance(), MAKEINTRESOURCEA(IDCUR_SPLITTER));
    splitterBrush.CreateSolidBrush(GetSysColor(COLOR_WINDOW) != 0 ? RGB(0, 0, 0) : RGB(1, 0, 0));
    splitterBar = GetDlgItem(IDC_SPLITTER_BAR);
    SetWindowTextA(splitterBar, "");
    ShowWindow(splitterBar, SW_HIDE);
}

void ExplorerDialog::LayoutPanes(UINT sizeType, int clientWidth, int clientHeight) {
    DefaultProc(WM_SIZE, sizeType, MAKELPARAM(clientWidth, clientHeight));
    lastSizeType = sizeType;
    lastClientWidth = clientWidth;
    lastClientHeight = clientHeight;
    // The window system sends a size change while it creates the window, before the bars exist.
    if (!toolBar.GetSafeHwnd() || !statusBar.GetSafeHwnd() || !catalogueList.GetSafeHwnd() || !iconView.GetSafeHwnd())
        return;

    RECT tools = ChildRectInParent(hwnd, toolBar.GetSafeHwnd());
    Place(toolBar.GetSafeHwnd(), tools.left, tools.top, std::max(clientWidth, Scaled(MinimumToolBarSpan)) - tools.left,
          tools.bottom - tools.top);
    LayoutStatusBar();
    RECT status = ChildRectInParent(hwnd, statusBar.GetSafeHwnd());

    int paneHeight = status.top - tools.bottom;
    Place(catalogueList.GetSafeHwnd(), 0, tools.bottom, splitterPos, paneHeight);
    paneTop = tools.bottom;
    paneBottom = status.top;
    const int gap = Scaled(PaneGap);
    if (clientWidth >= Scaled(MinimumIconViewClientWidth))
        Place(iconView.GetSafeHwnd(), splitterPos + gap, tools.bottom, clientWidth - splitterPos - gap, paneHeight);
}

void ExplorerDialog::BeginSplitterDrag() {
    SetCursor(splitterCursor);
    dragStartPos = splitterPos;
    SetCapture(hwnd);
    dragging = true;
    ShowWindow(splitterBar, SW_SHOW);
}

void ExplorerDialog::TrackSplitter(WPARAM buttonFlags, int x, int) {
    if (GetCursor() != splitterCursor) SetCursor(splitterCursor);
    if (!(buttonFlags & MK_LBUTTON)) return;
    // The right-hand limit is applied last, so a very narrow window puts the bar there.
    splitterPos = std::min(std::max(x, Scaled(SplitterLeftLimit)), lastClientWidth - Scaled(SplitterRightLimit));
    MoveWindow(splitterBar, splitterPos, paneTop, Scaled(SplitterBarWidth), paneBottom - paneTop, TRUE);
}

void ExplorerDialog::EndSplitterDrag() {
    dragging = false;  // the capture change that releasing causes is not a cancel
    ReleaseCapture();
    ShowWindow(splitterBar, SW_HIDE);
    LayoutPanes(lastSizeType, lastClientWidth, lastClientHeight);
}

// Another window took the capture (a menu, a message box, another program): the drag is
// abandoned and the border stays where it was.
void ExplorerDialog::OnCaptureChanged(HWND gaining) {
    if (!dragging || gaining == hwnd) return;
    dragging = false;
    ShowWindow(splitterBar, SW_HIDE);
    splitterPos = dragStartPos;
}

HBRUSH ExplorerDialog::ControlBrush(HDC dc, HWND control, UINT, UINT message) {
    auto standard =
        reinterpret_cast<HBRUSH>(DefaultProc(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (control && control == splitterBar) return splitterBrush;
    return standard;
}
