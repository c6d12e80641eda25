#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueFileLook.h"
#include "catalogue/CatalogueList.h"
#include "files/PathUtilities.h"
#include "files/ReplaceFile.h"
#include "framework/CWinApp.h"
#include "system/OwnedHandles.h"
#include "system/Retry.h"

namespace {
constexpr const char* OpenError = "Error occured while opening icons file.";
}  // namespace

void ExplorerDialog::LoadCatalogue() {
    if (!PathExists(catalogueFilePath)) return;
    UniqueFile file(std::fopen(catalogueFilePath, "rt"));
    if (!file) {
        AppMessageBox(hwnd, OpenError, MB_OK);
        return;
    }
    // Lines of more than 259 characters arrive in pieces, each refused as naming no file. The
    // files of a chunk of lines are looked at together, then added in the order of their lines.
    // A line whose drive or share does not answer now (a USB stick, a share not yet connected)
    // is kept for the file unshown; each root is asked once, so that a share that is away costs
    // one wait, not one for each of its lines.
    char line[PathBufferSize];
    std::vector<std::string> lines;
    ReachableRoots roots;
    for (bool more = true; more && hwnd;) {
        lines.clear();
        while (lines.size() < FilesLookedAtTogether && (more = std::fgets(line, sizeof line, file.get()))) {
            line[std::strcspn(line, "\n")] = 0;
            lines.emplace_back(line);
        }
        roots.Ask(lines);
        std::vector<std::string> reachable;
        for (const std::string& path : lines)
            if (roots.Reachable(path.c_str())) reachable.push_back(path);
        const std::vector<CatalogueFileLook> looks = LookAtCatalogueFiles(reachable);
        size_t next = 0;
        for (size_t i = 0; i < lines.size() && hwnd; ++i) {
            const CatalogueFileLook* look = roots.Reachable(lines[i].c_str()) ? &looks[next++] : nullptr;
            if (!look || look->unreachable)
                unreachableLines.push_back(lines[i]);
            else
                AddCatalogueFile(lines[i].c_str(), *look, true);
        }
    }
}

// Writes one path per line in the list's order, then the lines kept unshown for their drive, in
// their order, each line ending in CR LF. The new file is written beside the old one and takes
// its place only when complete, so a failed save never loses the previous catalogue; it is on the
// disk before the program goes on, since a save at the end of the session is followed by the
// power going off. A scanner may hold the old file for a moment.
void ExplorerDialog::SaveCatalogue(bool tellFailure) {
    if (catalogueFilePath[0] == 0) return;
    std::vector<const char*> paths;
    CataloguePathSet written;
    for (int i = 0, count = catalogueList.GetCount(); i < count; ++i)
        if (const CatalogueEntry* entry = EntryAt(catalogueList, i)) {
            paths.push_back(entry->path);
            written.Add(entry->path);
        }
    for (const std::string& line : unreachableLines)
        if (!written.Contains(line.c_str())) {
            paths.push_back(line.c_str());
            written.Add(line.c_str());
        }
    if (paths.empty()) {
        if (PathExists(catalogueFilePath)) DeleteFileA(catalogueFilePath);
        return;
    }
    std::vector<unsigned char> bytes;
    for (const char* path : paths) {
        bytes.insert(bytes.end(), path, path + std::strlen(path));
        bytes.insert(bytes.end(), {'\r', '\n'});
    }
    ReplaceWay way;
    way.writeThrough = true;
    way.heldMilliseconds = RetryMilliseconds;
    if (ReplaceFileWith(catalogueFilePath, bytes, way) != ReplaceResult::Replaced && tellFailure)
        AppMessageBox(hwnd, OpenError, MB_OK);
}
