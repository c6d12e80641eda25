#include "ui/AboutDialog.h"

#include <windowsx.h>

#include "framework/CWinApp.h"
#include "resource.h"
#include "ui/ShellHandOff.h"

namespace {
constexpr COLORREF LinkBlue = RGB(0, 0, 255);
constexpr const char* WebTarget = GLYPHDOCK_WEB_ADDRESS;
constexpr const char* MailTarget = "mailto:" GLYPHDOCK_MAIL_ADDRESS;

// Blue, unless a high-contrast theme is on: then the theme's colour of links, which it makes
// readable on its own background.
COLORREF LinkColour() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON))
        return GetSysColor(COLOR_HOTLIGHT);
    return LinkBlue;
}

bool IsLink(HWND control) {
    if (!control) return false;
    int id = GetDlgCtrlID(control);
    return id == IDC_ABOUT_WEB_LINK || id == IDC_ABOUT_MAIL_LINK;
}
}  // namespace

AboutDialog::AboutDialog(HWND owner) : CDialog(IDD_ABOUT, owner) {}

LRESULT AboutDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_MOUSEMOVE: return TrackLinkCursor(wParam, point);
    case WM_LBUTTONDBLCLK: return OpenLink(wParam, point);
    }
    if (IsControlColourMessage(message))
        return ColourLinkText(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), ControlColourKind(message),
                              message);
    return CDialog::WindowProc(message, wParam, lParam);
}

bool AboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    handCursor = LoadCursorA(AppInstance(), MAKEINTRESOURCEA(IDCUR_HAND));
    savedCursor = GetCursor();
    return true;
}

// The link labels take no mouse input themselves, so the box finds the label under the pointer.
// Outside the box (while it holds the capture) nothing changes.
LRESULT AboutDialog::TrackLinkCursor(WPARAM flags, POINT point) {
    HWND under = ChildWindowFromPoint(hwnd, point);
    if (under) {
        if (IsLink(under)) {
            if (GetCursor() != handCursor) {
                SetCursor(handCursor);
                SetCapture(hwnd);
            }
        } else if (GetCursor() != savedCursor) {
            ReleaseCapture();
            SetCursor(savedCursor);
        }
    }
    return DefaultProc(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

// A double click on a link ends the box and opens the link; a single click does nothing.
LRESULT AboutDialog::OpenLink(WPARAM flags, POINT point) {
    HWND under = ChildWindowFromPoint(hwnd, point);
    if (IsLink(under)) {
        ReleaseCapture();
        SetCursor(savedCursor);
        OnCancel();
        const char* target = GetDlgCtrlID(under) == IDC_ABOUT_WEB_LINK ? WebTarget : MailTarget;
        ::OpenLink(GetDesktopWindow(), nullptr, target);
    }
    return DefaultProc(WM_LBUTTONDBLCLK, flags, MAKELPARAM(point.x, point.y));
}

LRESULT AboutDialog::ColourLinkText(HDC dc, HWND control, UINT kind, UINT message) {
    LRESULT brush = DefaultProc(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    if (kind == CTLCOLOR_STATIC && IsLink(control)) SetTextColor(dc, LinkColour());
    return brush;
}
