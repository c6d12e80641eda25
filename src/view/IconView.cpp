#include <windows.h>

#include <cstdio>
#include <optional>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueList.h"
#include "framework/WaitCursor.h"
#include "pictures/IconPictures.h"
#include "view/IconStrip.h"
#include "view/IconView.h"

UINT IconListFlags() {
    return ScreenBitsPerPixel() > 8 ? ILC_COLOR8 | ILC_MASK : ILC_COLOR | ILC_MASK;
}

namespace {
constexpr int WaitCursorAbove = 20;

// Creates largeIconList anew, empty: icons of the system's size (32 x 32 at 96 DPI), growing by 100.
bool CreateIconCache() {
    return largeIconList.Create(LargeIconSide(), LargeIconSide(), IconListFlags(), 0, 100);
}
}  // namespace

int SelectedIconIndex(const CListCtrl& view) {
    int selected = view.GetNextSelected(-1);
    return selected >= 0 ? selected : 0;
}

void ExplorerDialog::CreateIconLists() {
    smallIconList.Create(SmallIconSide(), SmallIconSide(), IconListFlags(), 0, 20);
    CreateIconCache();
    iconView.SetImageList(largeIconList.GetSafeHandle(), LVSIL_NORMAL);
}

void ExplorerDialog::LoadEntryIcons(CatalogueEntry& entry) {
    char path[PathBufferSize];
    lstrcpynA(path, entry.path, PathBufferSize);
    // The count and the pictures come from one reading of the file.
    const SourceReading reading(path);
    int count = reading.IconCount();
    if (count <= 0) return;

    std::optional<CWaitCursor> wait;
    if (count > WaitCursorAbove) wait.emplace();
    const int first = largeIconList.GetImageCount();
    AppendSourceIcons(largeIconList, reading, count);
    // Pictures made of bytes the file lost meanwhile are zeros: the file could not be read.
    if (reading.Lost()) {
        ImageList_SetImageCount(largeIconList.GetSafeHandle(), static_cast<UINT>(first));
        return;
    }
    entry.firstLargeImage = first;
    entry.endLargeImage = first + count;
    entry.iconCount = count;
}

void ExplorerDialog::FillIconView(const CatalogueEntry& entry) {
    iconView.DeleteAllItems();
    iconView.SetItemCount(entry.iconCount);
    if (entry.iconCount == 0) return;
    // The view arranges and paints once, not after every item: a large library shows at once.
    iconView.SetRedraw(false);
    for (int i = 0; entry.firstLargeImage + i < entry.endLargeImage; ++i) {
        char label[24];
        std::snprintf(label, sizeof label, "Icon: %.3d", i);
        iconView.InsertItem(i, label, entry.firstLargeImage + i);
    }
    iconView.SetRedraw(true);
}

void ExplorerDialog::ResetIconCache() {
    iconView.DeleteAllItems();
    iconView.SetImageList(nullptr, LVSIL_NORMAL);
    CreateIconCache();
    iconView.SetImageList(largeIconList.GetSafeHandle(), LVSIL_NORMAL);
    int count = catalogueList.GetCount();
    for (int i = 0; i < count; ++i)
        if (CatalogueEntry* entry = EntryAt(catalogueList, i)) entry->iconCount = 0;
}
