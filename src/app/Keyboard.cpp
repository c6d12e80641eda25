#include "app/ExplorerDialog.h"
#include "files/TextFunctions.h"

bool ExplorerDialog::FilterMessage(MSG* message) {
    // Only the window's own messages and its controls' are filtered.
    if (!hwnd || (message->hwnd != hwnd && !IsChild(hwnd, message->hwnd))) return CDialog::PreTranslateMessage(message);

    if (message->message == WM_KEYDOWN || message->message == WM_KEYUP) {
        UINT key = static_cast<UINT>(message->wParam);
        // Esc and Ctrl+Break never close the window nor cancel anything in it.
        if (key == VK_CANCEL || key == VK_ESCAPE) return true;
        if (message->message == WM_KEYDOWN && GetFocus() == catalogueList.GetSafeHwnd()) {
            if (key == VK_DELETE) {  // with or without Ctrl or Shift
                OnDeleteFile();
                return true;
            }
            if (TypeAheadSearch(key)) return true;
        }
    } else if (message->message == WM_RBUTTONUP) {
        POINT cursor{};
        GetCursorPos(&cursor);
        // The menu acts on the file selected before: the click selects nothing. The button's
        // release still reaches the list afterwards.
        if (WindowFromPoint(cursor) == catalogueList.GetSafeHwnd()) ShowContextMenu();
    }
    return CDialog::PreTranslateMessage(message);
}

// Selects the next item after the selected one, wrapping to the top, whose first character,
// upper-cased, has the key's code. The selected item itself is never a candidate. Keys are
// compared by their virtual-key codes, so the arrows, Home, End, the page keys and the space bar
// find names beginning with the character of the same code; a character above 127 never matches.
bool ExplorerDialog::TypeAheadSearch(UINT key) {
    int count = catalogueList.GetCount();
    int selected = catalogueList.GetCurSel();
    auto matches = [&](int index) {
        char text[PathBufferSize];
        if (!catalogueList.GetText(index, text, sizeof text)) return false;
        CharUpperBuffA(text, 1);
        return static_cast<signed char>(text[0]) == static_cast<int>(key);
    };
    auto choose = [&](int index) {
        catalogueList.SetCurSel(index);
        OnCatalogueSelChange();  // selecting by message sends no notification
        return true;
    };
    for (int i = selected + 1; i < count; ++i)
        if (matches(i)) return choose(i);
    for (int i = 0; i < selected; ++i)
        if (matches(i)) return choose(i);
    return false;
}

LRESULT ExplorerDialog::OnIconViewRightClick() {
    ShowContextMenu();
    return 0;
}

// The File menu at the mouse cursor, tracking the right button; a command chosen there reaches
// the window as the same command as from the menu bar.
void ExplorerDialog::ShowContextMenu() {
    POINT cursor{};
    GetCursorPos(&cursor);
    HMENU fileMenu = GetSubMenu(GetMenu(hwnd), 0);
    if (fileMenu) TrackPopupMenu(fileMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd, nullptr);
}
