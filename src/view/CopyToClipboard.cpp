#include <windows.h>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueList.h"
#include "framework/Retry.h"
#include "view/IconView.h"

namespace {
constexpr int IconSide = 32;
constexpr const char* ClipboardBusy = "The clipboard is in use by another program. Try again.";

// Hands the bitmap to the clipboard in place of whatever it held. The clipboard owns it only
// when it took it; otherwise it is deleted here. Clipboard viewers and history open the
// clipboard after every change, so it is tried again for a moment; false when it stayed busy.
bool PutOnClipboard(HBITMAP bitmap) {
    bool handedOver = false;
    const bool opened = RetryFor(RetryMilliseconds, [] { return OpenClipboard(GetDesktopWindow()) != 0; });
    if (opened) {
        EmptyClipboard();
        handedOver = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
        CloseClipboard();
    }
    if (!handedOver) DeleteObject(bitmap);
    return opened;
}
}  // namespace

void ExplorerDialog::OnCopy() {
    if (iconView.GetItemCount() == 0) return;
    const CatalogueEntry* entry = EntryAt(catalogueList, catalogueList.GetCurSel());
    if (!entry) return;
    const int image = entry->firstLargeImage + SelectedIconIndex(iconView);
    if (image >= entry->endLargeImage) return;

    HWND desktop = GetDesktopWindow();
    HDC screen = GetWindowDC(desktop);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, IconSide, IconSide);
    bool busy = false;
    if (memory && bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        // White shows through the icon's transparent pixels.
        PatBlt(memory, 0, 0, IconSide, IconSide, WHITENESS);
        largeIconList.Draw(memory, image, 0, 0, ILD_TRANSPARENT);
        // A bitmap still selected into a context cannot be used by the clipboard's readers.
        SelectObject(memory, previous);
        busy = !PutOnClipboard(bitmap);
    } else if (bitmap) {
        DeleteObject(bitmap);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(desktop, screen);
    if (busy) MessageBoxA(hwnd, ClipboardBusy, appTitle, MB_OK | MB_ICONEXCLAMATION);
}
