// The catalogue list box seen as a list of entries: each item carries its CatalogueEntry.
#pragma once
#include <string>
#include <unordered_set>

#include "catalogue/CatalogueEntry.h"
#include "files/WideNames.h"
#include "framework/ListControls.h"

// The entry of catalogue item `index`, or nullptr when there is no such item.
CatalogueEntry* EntryAt(const CListBox& catalogueList, int index);
// The first item whose entry's path is the same as `path` (SamePathText), or -1.
int FindEntryByPath(const CListBox& catalogueList, const char* path);

// The paths of the catalogue's entries, so that adding a file does not walk every line to find
// a duplicate: a folder of thousands of files would take the square of that. Paths are the same
// when SamePathText says so.
class CataloguePathSet {
public:
    void Add(const char* path) { keys.insert(PathKey(path)); }
    void Remove(const char* path) { keys.erase(PathKey(path)); }
    bool Contains(const char* path) const { return keys.count(PathKey(path)) > 0; }

private:
    std::unordered_set<std::wstring> keys;
};
