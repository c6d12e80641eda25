// One source file of the catalogue: the item data of a catalogue list item, owned by that item.
#pragma once
#include <windows.h>

#include "files/TextFunctions.h"

struct CatalogueEntry {
    char name[PathBufferSize] = {};  // the shell's display name, first character upper-cased
    char path[PathBufferSize] = {};  // full path, as given when the file was added
    int firstLargeImage = 0;         // first of the file's icons in largeIconList
    int endLargeImage = 0;           // one past the last
    int iconCount = 0;               // 0: the icons are not loaded
    int smallImage = -1;             // the file's small icon in smallIconList; -1 until first drawn

    // How many entries were ever made and ended: the difference is the number alive, which
    // shows that removed entries are freed.
    static inline long created = 0;
    static inline long destroyed = 0;
    CatalogueEntry() { ++created; }
    ~CatalogueEntry() { ++destroyed; }
    CatalogueEntry(const CatalogueEntry&) = delete;
    CatalogueEntry& operator=(const CatalogueEntry&) = delete;
};
