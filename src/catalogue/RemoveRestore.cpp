#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueList.h"
#include "files/TextFunctions.h"

void ExplorerDialog::OnDeleteFile() {
    const CatalogueEntry* entry = EntryAt(catalogueList, catalogueList.GetCurSel());
    if (!entry) return;  // an empty catalogue, or nothing selected
    RemovedPathStack.Push(entry->path);
    RemoveSelectedEntry(false);
    UpdateCommandState();
}

void ExplorerDialog::OnUndoDelete() {
    char path[PathBufferSize];
    // The path leaves the stack whatever becomes of it.
    if (!RemovedPathStack.Pop(path)) return;
    if (AddCatalogueFile(path)) ShowCatalogueFile(path);
    UpdateCommandState();
}

void ExplorerDialog::OnReloadIcons() {
    RemoveSelectedEntry(true);
}

void ExplorerDialog::RemoveSelectedEntry(bool keepEntry) {
    int count = catalogueList.GetCount();
    int selected = catalogueList.GetCurSel();
    CatalogueEntry* entry = EntryAt(catalogueList, selected);
    if (count == 0 || !entry) return;

    ResetIconCache();
    if (!keepEntry) {
        // The small icons made after the removed one move down by one. An entry never drawn
        // has none (and removing image -1 would empty the list).
        int removed = entry->smallImage;
        if (removed >= 0 && smallIconList.Remove(removed))
            for (int i = 0; i < count; ++i)
                if (CatalogueEntry* other = EntryAt(catalogueList, i); other && other->smallImage > removed)
                    --other->smallImage;
        catalogueList.DeleteString(selected);  // the item frees its entry
    }
    ShowCatalogueCount();
    if (catalogueList.GetCount() == 0) return;  // the view stays empty, the title as it was

    catalogueList.SetCurSel(!keepEntry && selected > 0 ? selected - 1 : selected);
    // The reset emptied the view: whatever is selected now must be shown afresh.
    shownEntryIndex = NoIndex;
    OnCatalogueSelChange();
}
