#include <windows.h>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueList.h"
#include "framework/GdiObjects.h"
#include "system/OwnedHandles.h"
#include "system/Retry.h"
#include "pictures/IconPictures.h"
#include "view/CopyToClipboard.h"
#include "view/IconView.h"

namespace {
constexpr const char* ClipboardBusy = "The clipboard is in use by another program. Try again.";
constexpr const char* CopyFailed = "The icon could not be copied to the clipboard.";

CopyStep failingStep = CopyStep::None;
bool Refused(CopyStep step) {
    return failingStep == step;
}

enum class Copy { Done, Busy, Failed };

// Hands the bitmap to the clipboard in place of whatever it held. The clipboard owns it only
// when it took it; otherwise it stays with the caller. Clipboard viewers and history open the
// clipboard after every change, so it is tried again for a moment.
Copy PutOnClipboard(CBitmap& bitmap) {
    if (!RetryFor(RetryMilliseconds, [] { return OpenClipboard(GetDesktopWindow()) != 0; })) return Copy::Busy;
    const bool emptied = !Refused(CopyStep::EmptyClipboard) && EmptyClipboard();
    const bool handed = emptied && !Refused(CopyStep::SetClipboardData) && SetClipboardData(CF_BITMAP, bitmap);
    if (handed) bitmap.Detach();
    const bool closed = CloseClipboard() != 0;
    return handed && closed ? Copy::Done : Copy::Failed;
}

// The icon drawn on white as a bitmap of the screen's format and the icon view's size (32 x 32
// at 96 DPI), put on the clipboard.
Copy CopyToClipboard(int image) {
    const int side = LargeIconSide();
    const ScreenDC screen;
    const UniqueMemoryDC memory(Refused(CopyStep::MemoryContext) ? nullptr : CreateCompatibleDC(screen));
    CBitmap bitmap(Refused(CopyStep::Bitmap) ? nullptr : CreateCompatibleBitmap(screen, side, side));
    if (!screen || !memory || !bitmap) return Copy::Failed;
    bool drawn = false;
    {
        // A bitmap still selected into a context cannot be used by the clipboard's readers.
        const ScopedSelection drawing(memory.get(), bitmap);
        // White shows through the icon's transparent pixels.
        drawn = drawing.Selected() && PatBlt(memory.get(), 0, 0, side, side, WHITENESS) &&
                largeIconList.Draw(memory.get(), image, 0, 0, ILD_TRANSPARENT);
    }
    return drawn ? PutOnClipboard(bitmap) : Copy::Failed;
}
}  // namespace

CopyStep SetFailingCopyStepForTesting(CopyStep step) {
    const CopyStep previous = failingStep;
    failingStep = step;
    return previous;
}

void ExplorerDialog::OnCopy() {
    if (iconView.GetItemCount() == 0) return;
    const CatalogueEntry* entry = EntryAt(catalogueList, catalogueList.GetCurSel());
    if (!entry) return;
    const int image = entry->firstLargeImage + SelectedIconIndex(iconView);
    if (image >= entry->endLargeImage) return;

    switch (CopyToClipboard(image)) {
    case Copy::Done: break;
    case Copy::Busy: MessageBoxA(hwnd, ClipboardBusy, appTitle, MB_OK | MB_ICONEXCLAMATION); break;
    case Copy::Failed: MessageBoxA(hwnd, CopyFailed, appTitle, MB_OK | MB_ICONEXCLAMATION); break;
    }
}
