// What adding a file to the catalogue needs to know of it, found without the window, so that the
// files of a long catalogue can be looked at on two threads at once: each look waits mostly on
// the file system (under Wine, on its server), and two looks overlap well.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct CatalogueFileLook {
    bool looked = false;  // false when the look could not be taken: take it again on the caller's thread
    bool exists = false;
    int iconCount = 0;         // as our readers count them: the shell's would read a damaged file unbounded
    char name[MAX_PATH] = {};  // the shell's display name, only for a file our readers accept whole
};

// Looks at one file; a path too long for a path buffer does not exist.
CatalogueFileLook LookAtCatalogueFile(const char* path);

// How many files are looked at before they are added: enough to keep two threads busy, few
// enough that a huge catalogue or folder holds little in memory at once.
constexpr size_t FilesLookedAtTogether = 256;

// Looks at every path, on this thread and one more; looks[i] answers for paths[i].
std::vector<CatalogueFileLook> LookAtCatalogueFiles(const std::vector<std::string>& paths);
