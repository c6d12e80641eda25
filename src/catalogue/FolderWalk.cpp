#include "catalogue/FolderWalk.h"

#include <cstdio>

#include "files/WideNames.h"
#include "system/OwnedHandles.h"

namespace {
// Newer than the system headers of the build.
constexpr DWORD RecallOnOpen = 0x00040000;        // FILE_ATTRIBUTE_RECALL_ON_OPEN
constexpr DWORD RecallOnDataAccess = 0x00400000;  // FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
}  // namespace

WalkEntry WalkEntryKind(DWORD attributes, DWORD reparseTag) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // Cloud folders carry tags of their own, which are not names of other places. Wine's
        // listing reports no tag for its links: a folder tagged with none is taken for one.
        const bool link =
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && (reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag));
        return link ? WalkEntry::Skip : WalkEntry::Subfolder;
    }
    if (attributes & (FILE_ATTRIBUTE_OFFLINE | RecallOnOpen | RecallOnDataAccess)) return WalkEntry::OnlineOnly;
    return WalkEntry::File;
}

void FolderWalk::List(const std::wstring& folder, std::vector<std::string>& files,
                      std::vector<std::wstring>& subfolders) {
    WIN32_FIND_DATAW found;
    const UniqueFind search(FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (looked >= limit) {
            cut = true;
            break;
        }
        ++looked;
        const std::wstring widePath = folder + name;
        std::string path;
        switch (WalkEntryKind(found.dwFileAttributes, found.dwReserved0)) {
        case WalkEntry::Subfolder: subfolders.push_back(widePath); break;
        case WalkEntry::File:
            if (!AnsiFromWide(widePath.c_str(), path))
                ++unusableNames;
            else if (path.size() <= static_cast<size_t>(MaxPathLength))
                files.push_back(path);
            break;
        case WalkEntry::OnlineOnly: ++onlineOnly; break;
        case WalkEntry::Skip: break;
        }
    } while (FindNextFileW(search.get(), &found));
}

std::vector<std::string> FolderWalk::EndSentences() const {
    std::vector<std::string> sentences;
    char text[128];
    if (unusableNames > 0) {
        std::snprintf(text, sizeof text,
                      "%d files were skipped because their names hold characters this program cannot use.",
                      unusableNames);
        sentences.push_back(text);
    }
    if (onlineOnly > 0) {
        std::snprintf(text, sizeof text, "%d files stored only online were not looked at.", onlineOnly);
        sentences.push_back(text);
    }
    if (cut) {
        std::snprintf(text, sizeof text, "Only the first %d files were looked at.", limit);
        sentences.push_back(text);
    }
    return sentences;
}
