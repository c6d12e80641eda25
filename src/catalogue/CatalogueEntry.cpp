#include "catalogue/CatalogueEntry.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "files/PathUtilities.h"
#include "resource.h"
#include "view/IconView.h"

int shownEntryIndex = NoIndex;

CatalogueEntry* EntryAt(HWND catalogueList, int index) {
    LRESULT data = SendMessageA(catalogueList, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (index < 0 || data == LB_ERR || data == 0) return nullptr;
    return reinterpret_cast<CatalogueEntry*>(data);
}

int FindEntryByPath(HWND catalogueList, const char* path) {
    int count = CatalogueCount(catalogueList);
    for (int i = 0; i < count; ++i) {
        const CatalogueEntry* entry = EntryAt(catalogueList, i);
        if (entry && SamePathText(entry->path, path)) return i;
    }
    return -1;
}

int CatalogueCount(HWND catalogueList) {
    LRESULT count = SendMessageA(catalogueList, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int CatalogueSelection(HWND catalogueList) {
    LRESULT selected = SendMessageA(catalogueList, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

namespace {
// The file part of a path, for a file the shell has no display name for.
const char* FileTitle(const char* path) {
    const char* title = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') title = p + 1;
    return title;
}
}  // namespace

void ExplorerDialog::ShowCatalogueCount() {
    char text[32];
    std::snprintf(text, sizeof text, "%d Object(s)", CatalogueCount(catalogueList));
    statusBar.SetText(text, 0, 0);
}

bool ExplorerDialog::AddCatalogueFile(const char* path) {
    // A path that does not fit is refused like a missing file, never cut to another path.
    if (!path || BoundedLength(path, MaxPathLength + 1) > MaxPathLength) return false;
    char file[PathBufferSize];
    std::strcpy(file, path);
    if (!PathExists(file)) return false;

    if (ShellIconCount(file) <= 0) {
        MessageBoxA(hwnd, "The selected file does not contain icons.", appTitle, MB_ICONINFORMATION | MB_OK);
        return false;
    }
    if (FindEntryByPath(catalogueList, file) >= 0) return true;

    SHFILEINFOA info{};
    auto systemList = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(file, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON));
    HICON icon = systemList ? ImageList_GetIcon(systemList, info.iIcon, ILD_NORMAL) : nullptr;
    // A file the shell shows no icon for still gets a picture of its own in the list.
    if (!icon) icon = CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));  // IDI_APPLICATION

    auto* entry = new CatalogueEntry;
    entry->smallImage = smallIconList.ReplaceIcon(-1, icon);
    if (icon) DestroyIcon(icon);

    if (info.szDisplayName[0] == 0) lstrcpynA(info.szDisplayName, FileTitle(file), MAX_PATH);
    CharUpperBuffA(info.szDisplayName, 1);
    std::strcpy(entry->name, info.szDisplayName);
    std::strcpy(entry->path, file);

    LRESULT position = SendMessageA(catalogueList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry->name));
    if (position < 0) {
        delete entry;
        return false;
    }
    SendMessageA(catalogueList, LB_SETITEMDATA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(entry));
    ShowCatalogueCount();
    return true;
}

void ExplorerDialog::OnCatalogueSelChange() {
    describedIconIndex = NoIndex;
    int selected = CatalogueSelection(catalogueList);
    if (selected != shownEntryIndex) {
        // With nothing selected there is no entry to show.
        if (CatalogueEntry* entry = EntryAt(catalogueList, selected)) {
            shownEntryIndex = selected;
            if (entry->iconCount == 0) LoadEntryIcons(*entry);
            FillIconView(*entry);
            char title[PathBufferSize + 32];
            std::snprintf(title, sizeof title, "%s - Glyphdock", entry->path);
            UpdateCommandState();
            SetWindowTextA(hwnd, title);
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, " %d Icon(s)", static_cast<int>(ListView_GetItemCount(iconView)));
    statusBar.SetText(text, 1, 0);
}

void ExplorerDialog::OnNextFile() {
    int count = CatalogueCount(catalogueList);
    if (count == 0) return;
    int selected = CatalogueSelection(catalogueList);
    if (selected < count - 1) {
        SendMessageA(catalogueList, LB_SETCURSEL, static_cast<WPARAM>(selected + 1), 0);
        OnCatalogueSelChange();
    }
}

void ExplorerDialog::OnPreviousFile() {
    if (CatalogueCount(catalogueList) == 0) return;
    int selected = CatalogueSelection(catalogueList);
    if (selected > 0) {
        SendMessageA(catalogueList, LB_SETCURSEL, static_cast<WPARAM>(selected - 1), 0);
        OnCatalogueSelChange();
    }
}

void ExplorerDialog::OnDeleteCatalogueItem(const DELETEITEMSTRUCT* deleted) {
    delete reinterpret_cast<CatalogueEntry*>(deleted->itemData);
}
