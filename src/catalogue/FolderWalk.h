// The walk of a folder handed to the program: which entries of a folder's listing it looks at,
// and what it says once the files handed over together have all been added.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "files/TextFunctions.h"

// What the walk does with one entry of a listing, by the attributes the listing reports and,
// for a reparse point, the tag it reports with them.
enum class WalkEntry {
    Skip,        // a link, junction or mount point to a folder: it may lead back up
    Subfolder,   // walked after the files of its folder; cloud folders too
    File,        // looked at for icons
    OnlineOnly,  // a file whose content is not on this computer: reading it would download it
};
WalkEntry WalkEntryKind(DWORD attributes, DWORD reparseTag);

// What the walks of one drop, or of one command line, have in common.
struct FolderWalk {
    int limit = 100000;  // entries looked at, all folders together
    int looked = 0;
    bool cut = false;  // entries were left out for the limit
    int onlineOnly = 0;
    int unusableNames = 0;  // files whose names, or their folders' names, the code page cannot hold
    char shown[PathBufferSize] = {};  // the file added last, shown at the end

    // Appends the files and the subfolders of `folder` (with its trailing backslash) in the
    // order found, and counts what it leaves out. The listing is by wide names: a name the code
    // page cannot hold would come back with '?' in place of its letters. A file's path too long
    // for a path buffer is left out, never cut short.
    void List(const std::wstring& folder, std::vector<std::string>& files, std::vector<std::wstring>& subfolders);
    // The sentences of the one message at the end, in order; none when there is nothing to say.
    std::vector<std::string> EndSentences() const;
};
