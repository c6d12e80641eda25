#include <windows.h>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueList.h"
#include "framework/GdiObjects.h"
#include "framework/OwnedHandles.h"
#include "framework/Retry.h"
#include "view/IconView.h"

namespace {
constexpr int IconSide = 32;
constexpr const char* ClipboardBusy = "The clipboard is in use by another program. Try again.";

// Hands the bitmap to the clipboard in place of whatever it held. The clipboard owns it only
// when it took it; otherwise it stays with the caller. Clipboard viewers and history open the
// clipboard after every change, so it is tried again for a moment; false when it stayed busy.
bool PutOnClipboard(UniqueBitmap& bitmap) {
    const bool opened = RetryFor(RetryMilliseconds, [] { return OpenClipboard(GetDesktopWindow()) != 0; });
    if (opened) {
        EmptyClipboard();
        if (SetClipboardData(CF_BITMAP, bitmap.get())) bitmap.release();
        CloseClipboard();
    }
    return opened;
}

// The icon drawn on white as a 32 x 32 bitmap of the screen's format, put on the clipboard.
// False only when the clipboard stayed busy.
bool CopyToClipboard(int image) {
    const ScreenDC screen;
    const UniqueMemoryDC memory(CreateCompatibleDC(screen));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, IconSide, IconSide));
    if (!memory || !bitmap) return true;
    {
        // A bitmap still selected into a context cannot be used by the clipboard's readers.
        const ScopedSelection drawing(memory.get(), bitmap.get());
        // White shows through the icon's transparent pixels.
        PatBlt(memory.get(), 0, 0, IconSide, IconSide, WHITENESS);
        largeIconList.Draw(memory.get(), image, 0, 0, ILD_TRANSPARENT);
    }
    return PutOnClipboard(bitmap);
}
}  // namespace

void ExplorerDialog::OnCopy() {
    if (iconView.GetItemCount() == 0) return;
    const CatalogueEntry* entry = EntryAt(catalogueList, catalogueList.GetCurSel());
    if (!entry) return;
    const int image = entry->firstLargeImage + SelectedIconIndex(iconView);
    if (image >= entry->endLargeImage) return;

    if (!CopyToClipboard(image)) MessageBoxA(hwnd, ClipboardBusy, appTitle, MB_OK | MB_ICONEXCLAMATION);
}
