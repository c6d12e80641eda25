#include "catalogue/CatalogueList.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueFileLook.h"
#include "catalogue/CatalogueLook.h"
#include "engine/SourceReading.h"
#include "files/TextFunctions.h"
#include "system/OwnedHandles.h"

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
    return AddCatalogueFile(path, LookAtCatalogueFile(path), reportNoIcons);
}

// A path that does not fit a path buffer does not exist to the look, and is never cut short.
bool ExplorerDialog::AddCatalogueFile(const char* path, const CatalogueFileLook& look, bool reportNoIcons) {
    if (!look.looked) return AddCatalogueFile(path, reportNoIcons);
    if (!look.exists) return false;
    if (look.iconCount <= 0) {
        if (reportNoIcons)
            MessageBoxA(hwnd, "The selected file does not contain icons.", appTitle, MB_ICONINFORMATION | MB_OK);
        return false;
    }
    if (cataloguePathSet.Contains(path)) return true;

    auto entry = std::make_unique<CatalogueEntry>();
    lstrcpynA(entry->name, look.name[0] ? look.name : FileNamePart(path), MAX_PATH);
    CharUpperBuffA(entry->name, 1);
    std::strcpy(entry->path, path);

    // The path is known before its line is, so that no line is ever missing from the set.
    cataloguePathSet.Add(path);
    int position = catalogueList.AddString(entry->name);
    if (position < 0 || !catalogueList.SetItemDataPtr(position, entry.get())) {
        if (position >= 0) catalogueList.DeleteString(position);
        cataloguePathSet.Remove(path);
        return false;
    }
    entry.release();  // the item frees it
    if (!countDeferred) ShowCatalogueCount();
    return true;
}

// A line's small icon is made when the line is first drawn, so that a catalogue of hundreds of
// files starts without making a picture for every line.
void ExplorerDialog::MakeSmallImage(CatalogueEntry& entry) {
    UniqueIcon icon;
    {
        const SourceReading reading(entry.path);
        if (reading.IconCount() > 0 && reading.AcceptedWhole()) icon.reset(CatalogueSmallIcon(entry.path, reading));
        if (reading.Lost()) icon.reset();
    }
    // A file the shell shows no icon for, or one changed since it was added, still gets a
    // picture of its own in the list.
    if (!icon) icon.reset(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))));  // IDI_APPLICATION
    if (icon) entry.smallImage = smallIconList.ReplaceIcon(-1, icon.get());
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
    const std::unique_ptr<CatalogueEntry> entry(reinterpret_cast<CatalogueEntry*>(deleted->itemData));
    if (entry) cataloguePathSet.Remove(entry->path);
}
