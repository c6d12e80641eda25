#include "catalogue/CatalogueList.h"

#include "files/WideNames.h"

CatalogueEntry* EntryAt(const CListBox& catalogueList, int index) {
    return static_cast<CatalogueEntry*>(catalogueList.GetItemDataPtr(index));
}

int FindEntryByPath(const CListBox& catalogueList, const char* path) {
    int count = catalogueList.GetCount();
    for (int i = 0; i < count; ++i) {
        const CatalogueEntry* entry = EntryAt(catalogueList, i);
        if (entry && SamePathText(entry->path, path)) return i;
    }
    return -1;
}
