#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueList.h"
#include "files/PathUtilities.h"
#include "framework/CWinApp.h"
#include "framework/WaitCursor.h"
#include "view/IconView.h"

UINT IconListFlags() {
    return ScreenBitsPerPixel() > 8 ? ILC_COLOR8 | ILC_MASK : ILC_COLOR | ILC_MASK;
}

namespace {
constexpr int WaitCursorAbove = 20;

// A fully transparent 32 x 32 icon: stands in for an icon the shell could not extract, so that
// every entry's range of images still matches its icons.
HICON CreateBlankIcon() {
    BYTE mask[32 * 32 / 8];
    BYTE colour[32 * 32 / 8] = {};
    for (BYTE& bits : mask)
        bits = 0xFF;
    return CreateIcon(AppInstance(), 32, 32, 1, 1, mask, colour);
}
}  // namespace

bool CreateIconCache() {
    return largeIconList.Create(32, 32, IconListFlags(), 0, 100);
}

void AppendFileIcons(CImageList& list, const char* path, int count) {
    // The shell hands out icons in batches for one reading of the file; one by one, every
    // icon would load the file anew, which is slow on large icon libraries.
    constexpr int Batch = 256;
    HICON icons[Batch];
    for (int first = 0; first < count; first += Batch) {
        int wanted = std::min(Batch, count - first);
        std::fill(icons, icons + wanted, nullptr);
        ExtractIconExA(path, first, icons, nullptr, static_cast<UINT>(wanted));
        for (int k = 0; k < wanted; ++k) {
            HICON icon = icons[k] ? icons[k] : ExtractIconA(AppInstance(), path, static_cast<UINT>(first + k));
            if (!icon || list.ReplaceIcon(-1, icon) < 0) {
                HICON blank = CreateBlankIcon();
                list.ReplaceIcon(-1, blank);
                DestroyIcon(blank);
            }
            if (icon) DestroyIcon(icon);
        }
    }
}

int SelectedIconIndex(const CListCtrl& view) {
    int selected = view.GetNextSelected(-1);
    return selected >= 0 ? selected : 0;
}

int ShellIconCount(const char* path) {
    return static_cast<int>(reinterpret_cast<UINT_PTR>(ExtractIconA(AppInstance(), path, static_cast<UINT>(-1))));
}

void ExplorerDialog::LoadEntryIcons(CatalogueEntry& entry) {
    char path[PathBufferSize];
    lstrcpynA(path, entry.path, PathBufferSize);
    int count = ShellIconCount(path);
    if (count <= 0) return;

    std::optional<CWaitCursor> wait;
    if (count > WaitCursorAbove) wait.emplace();
    entry.firstLargeImage = largeIconList.GetImageCount();
    entry.endLargeImage = entry.firstLargeImage + count;
    entry.iconCount = count;
    AppendFileIcons(largeIconList, path, count);
}

void ExplorerDialog::FillIconView(const CatalogueEntry& entry) {
    iconView.DeleteAllItems();
    iconView.SetItemCount(entry.iconCount);
    if (entry.iconCount == 0) return;
    for (int i = 0; entry.firstLargeImage + i < entry.endLargeImage; ++i) {
        char label[24];
        std::snprintf(label, sizeof label, "Icon: %.3d", i);
        iconView.InsertItem(i, label, entry.firstLargeImage + i);
    }
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
