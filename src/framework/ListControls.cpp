#include "framework/ListControls.h"

int CListBox::GetCount() const {
    LRESULT count = SendMessageA(hwnd, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int CListBox::GetCurSel() const {
    LRESULT selected = SendMessageA(hwnd, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void CListBox::SetCurSel(int index) const {
    SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void* CListBox::GetItemDataPtr(int index) const {
    if (index < 0) return nullptr;
    LRESULT data = SendMessageA(hwnd, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

bool CListBox::SetItemDataPtr(int index, void* data) const {
    return SendMessageA(hwnd, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data)) != LB_ERR;
}

int CListBox::AddString(const char* text) const {
    LRESULT position = SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    return position < 0 ? -1 : static_cast<int>(position);
}

bool CListBox::DeleteString(int index) const {
    return index >= 0 && SendMessageA(hwnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0) != LB_ERR;
}

void CListBox::ResetContent() const {
    SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
}

bool CListBox::GetText(int index, char* buffer, size_t size) const {
    if (size == 0) return false;
    buffer[0] = 0;
    // LB_GETTEXT writes the whole text whatever the buffer: ask for its length first.
    LRESULT length = index < 0 ? LB_ERR : SendMessageA(hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || static_cast<size_t>(length) >= size) return false;
    if (SendMessageA(hwnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)) == LB_ERR) {
        buffer[0] = 0;
        return false;
    }
    return true;
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0));
}

void CListCtrl::DeleteAllItems() const {
    SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
}

void CListCtrl::SetItemCount(int count) const {
    SendMessageA(hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

int CListCtrl::InsertItem(int index, const char* text, int image) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    return static_cast<int>(SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void CListCtrl::SetImageList(HIMAGELIST list, int kind) const {
    SendMessageA(hwnd, LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list));
}

int CListCtrl::GetSelectedCount() const {
    return static_cast<int>(SendMessageA(hwnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

int CListCtrl::GetNextSelected(int after) const {
    return static_cast<int>(
        SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(LVNI_SELECTED, 0)));
}

namespace {
// Resuming repaints the frame too: a control's border and scroll bars are outside its client
// area, and InvalidateRect would leave them as they were.
void SetWindowRedraw(HWND window, bool redraw) {
    SendMessageA(window, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
}  // namespace

void CListBox::SetRedraw(bool redraw) const {
    SetWindowRedraw(hwnd, redraw);
}

void CListCtrl::SetRedraw(bool redraw) const {
    SetWindowRedraw(hwnd, redraw);
}
