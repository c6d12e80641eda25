// What adding a file to the catalogue needs to know of it, found without the window, so that the
// files of a long catalogue or folder can be looked at on worker threads: each look waits mostly
// on the file system (under Wine, on its server), and two looks overlap well.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct CatalogueFileLook {
    bool looked = false;  // false when the look could not be taken: take it again on the caller's thread
    bool exists = false;
    bool unreachable = false;  // the file's drive or share did not answer: the file may be there
    int iconCount = 0;         // as our readers count them: the shell's would read a damaged file unbounded
    char name[MAX_PATH] = {};  // the shell's display name, only for a file our readers accept whole
};

// Looks at one file; a path too long for a path buffer does not exist.
CatalogueFileLook LookAtCatalogueFile(const char* path);

// How many files are looked at before they are added: enough to keep two threads busy, few
// enough that a huge catalogue or folder holds little in memory at once.
constexpr size_t FilesLookedAtTogether = 256;

// Looks at every path on two worker threads while this one answers the messages sent to it;
// looks[i] answers for paths[i].
std::vector<CatalogueFileLook> LookAtCatalogueFiles(const std::vector<std::string>& paths);

// The root of a full path: "C:\\" of a drive, "\\\\server\\share\\" of a share; empty for any
// other text.
std::string PathRoot(const char* path);

// Which drives and shares answer now, each asked once, on a worker thread: a drive letter with
// nothing behind it, a drive without its disc and a share that is away do not.
class ReachableRoots {
public:
    // Asks the roots of `paths` that were not asked before.
    void Ask(const std::vector<std::string>& paths);
    // False only for a path whose root was asked and did not answer.
    bool Reachable(const char* path) const;

private:
    std::map<std::wstring, bool> answers;  // by PathKey of the root
};

// For tests: replaces the look at one file (to slow it down, or make it fail) on every road.
// Answers the previous one; nullptr restores the program's own.
using CatalogueLookFunction = CatalogueFileLook (*)(const char* path);
CatalogueLookFunction SetCatalogueLookForTesting(CatalogueLookFunction look);
