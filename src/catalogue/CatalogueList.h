// The catalogue list box seen as a list of entries: each item carries its CatalogueEntry.
#pragma once
#include "catalogue/CatalogueEntry.h"
#include "framework/ListControls.h"

// The entry of catalogue item `index`, or nullptr when there is no such item.
CatalogueEntry* EntryAt(const CListBox& catalogueList, int index);
// The first item whose entry's path equals `path` (ASCII letters without regard to case), or -1.
int FindEntryByPath(const CListBox& catalogueList, const char* path);
