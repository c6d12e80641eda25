#include "catalogue/CatalogueList.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueLook.h"
#include "engine/SourceReading.h"
#include "files/PathUtilities.h"
#include "framework/OwnedHandles.h"

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
    std::snprintf(text, sizeof text, "%d Object(s)", catalogueList.GetCount());
    statusBar.SetText(text, 0, 0);
}

void ExplorerDialog::ShowIconCount() {
    char text[32];
    std::snprintf(text, sizeof text, " %d Icon(s)", iconView.GetItemCount());
    statusBar.SetText(text, 1, 0);
}

bool ExplorerDialog::AddCatalogueFile(const char* path, bool reportNoIcons) {
    // A path that does not fit is refused like a missing file, never cut to another path.
    if (!path || BoundedLength(path, MaxPathLength + 1) > MaxPathLength) return false;
    char file[PathBufferSize];
    std::strcpy(file, path);
    if (!PathExists(file)) return false;

    // The icons are counted by our own readers: the shell's would parse a damaged file without
    // bounds. Only a file they accept whole gets the shell's look, its name and small icon.
    char name[MAX_PATH] = {};
    UniqueIcon icon;
    {
        const SourceReading reading(file);
        if (reading.IconCount() <= 0) {
            if (reportNoIcons)
                MessageBoxA(hwnd, "The selected file does not contain icons.", appTitle, MB_ICONINFORMATION | MB_OK);
            return false;
        }
        if (FindEntryByPath(catalogueList, file) >= 0) return true;
        if (reading.AcceptedWhole()) {
            icon.reset(CatalogueSmallIcon(file, reading));
            CatalogueDisplayName(file, name);
        }
    }
    // A file the shell shows no icon for still gets a picture of its own in the list.
    if (!icon) icon.reset(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))));  // IDI_APPLICATION

    auto entry = std::make_unique<CatalogueEntry>();
    if (name[0] == 0) lstrcpynA(name, FileTitle(file), MAX_PATH);
    CharUpperBuffA(name, 1);
    std::strcpy(entry->name, name);
    std::strcpy(entry->path, file);

    // The small icon joins smallIconList only once the line is in, so a refused line leaves no
    // image behind; a line whose icon cannot be stored is taken out again (its item frees it).
    int position = catalogueList.AddString(entry->name);
    bool attached = position >= 0 && catalogueList.SetItemDataPtr(position, entry.get());
    if (attached) entry.release();
    int image = attached && icon ? smallIconList.ReplaceIcon(-1, icon.get()) : -1;
    if (image < 0) {
        if (position >= 0) catalogueList.DeleteString(position);
        return false;
    }
    EntryAt(catalogueList, position)->smallImage = image;
    ShowCatalogueCount();
    return true;
}

void ExplorerDialog::OnCatalogueSelChange() {
    describedIconIndex = NoIndex;
    int selected = catalogueList.GetCurSel();
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
    ShowIconCount();
}

void ExplorerDialog::OnNextFile() {
    int count = catalogueList.GetCount();
    if (count == 0) return;
    int selected = catalogueList.GetCurSel();
    if (selected < count - 1) {
        catalogueList.SetCurSel(selected + 1);
        OnCatalogueSelChange();
    }
}

void ExplorerDialog::OnPreviousFile() {
    if (catalogueList.GetCount() == 0) return;
    int selected = catalogueList.GetCurSel();
    if (selected > 0) {
        catalogueList.SetCurSel(selected - 1);
        OnCatalogueSelChange();
    }
}

void ExplorerDialog::OnDeleteCatalogueItem(const DELETEITEMSTRUCT* deleted) {
    delete reinterpret_cast<CatalogueEntry*>(deleted->itemData);
}
