#include "framework/CommonControls.h"

#include "framework/CWinApp.h"

namespace {
HWND CreateChild(const char* windowClass, DWORD style, HWND parent, UINT id) {
    return CreateWindowExA(0, windowClass, "", style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AppInstance(), nullptr);
}
}  // namespace

bool CToolBarCtrl::Create(DWORD style, HWND parent, UINT id) {
    hwnd = CreateChild(TOOLBARCLASSNAMEA, style, parent, id);
    if (hwnd) SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return hwnd != nullptr;
}

bool CToolBarCtrl::SetBitmapSize(int width, int height) {
    return SendMessageA(hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height)) != 0;
}

bool CToolBarCtrl::AddBitmap(int count, UINT bitmapId) {
    TBADDBITMAP bitmap = {AppInstance(), bitmapId};
    return SendMessageA(hwnd, TB_ADDBITMAP, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&bitmap)) != -1;
}

bool CToolBarCtrl::AddStrings(const char* strings) {
    return SendMessageA(hwnd, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(strings)) != -1;
}

bool CToolBarCtrl::AddButtons(int count, TBBUTTON* buttons) {
    return SendMessageA(hwnd, TB_ADDBUTTONSA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons)) != 0;
}

int CToolBarCtrl::GetState(int command) const {
    return static_cast<int>(SendMessageA(hwnd, TB_GETSTATE, static_cast<WPARAM>(command), 0));
}

bool CToolBarCtrl::SetState(int command, int state) {
    return SendMessageA(hwnd, TB_SETSTATE, static_cast<WPARAM>(command), MAKELPARAM(state, 0)) != 0;
}

void CToolBarCtrl::ModifyStyle(DWORD remove, DWORD add) {
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    SetWindowLongPtrA(hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add));
}

bool CStatusBarCtrl::Create(DWORD style, HWND parent, UINT id) {
    hwnd = CreateChild(STATUSCLASSNAMEA, style, parent, id);
    return hwnd != nullptr;
}

bool CStatusBarCtrl::SetParts(int count, const int* rightEdges) {
    return SendMessageA(hwnd, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rightEdges)) != 0;
}

bool CStatusBarCtrl::SetText(const char* text, int part, int type) {
    return SendMessageA(hwnd, SB_SETTEXTA, static_cast<WPARAM>(part | type), reinterpret_cast<LPARAM>(text)) != 0;
}
