#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueFileLook.h"
#include "catalogue/CatalogueList.h"
#include "files/PathUtilities.h"
#include "framework/CWinApp.h"
#include "framework/OwnedHandles.h"
#include "framework/Retry.h"

namespace {
constexpr const char* OpenError = "Error occured while opening icons file.";

// A file of the catalogue's own folder for writing the new catalogue beside the old one.
bool SiblingTemporaryFile(const char* catalogueFile, char* output) {
    char folder[PathBufferSize];
    DirectoryPart(folder, catalogueFile);
    return folder[0] && GetTempFileNameA(folder, "gdk", 0, output) != 0;
}
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
    char line[PathBufferSize];
    std::vector<std::string> lines;
    for (bool more = true; more;) {
        lines.clear();
        while (lines.size() < FilesLookedAtTogether && (more = std::fgets(line, sizeof line, file.get()))) {
            line[std::strcspn(line, "\n")] = 0;
            lines.push_back(line);
        }
        const std::vector<CatalogueFileLook> looks = LookAtCatalogueFiles(lines);
        for (size_t i = 0; i < lines.size(); ++i)
            AddCatalogueFile(lines[i].c_str(), looks[i], true);
    }
}

// Writes one path per line in the list's order. The new file is written beside the old one and
// takes its place only when complete, so a failed save never loses the previous catalogue.
void ExplorerDialog::SaveCatalogue() {
    if (catalogueFilePath[0] == 0) return;
    int count = catalogueList.GetCount();
    if (count == 0) {
        if (PathExists(catalogueFilePath)) DeleteFileA(catalogueFilePath);
        return;
    }
    // Once the temporary file exists it is removed on every way that does not end in the move.
    char temporary[MAX_PATH];
    bool created = SiblingTemporaryFile(catalogueFilePath, temporary);
    UniqueFile file(created ? std::fopen(temporary, "wt") : nullptr);
    bool written = file != nullptr;
    for (int i = 0; written && i < count; ++i) {
        const CatalogueEntry* entry = EntryAt(catalogueList, i);
        written = entry && std::fputs(entry->path, file.get()) >= 0 && std::fputc('\n', file.get()) != EOF &&
                  std::fflush(file.get()) == 0;
    }
    if (file && std::fclose(file.release()) != 0) written = false;
    // A scanner may still hold the file just written for a moment.
    if (written)
        written = RetryFor(RetryMilliseconds, [&] {
            return MoveFileExA(temporary, catalogueFilePath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        });
    if (!written) {
        if (created) DeleteFileA(temporary);
        AppMessageBox(hwnd, OpenError, MB_OK);
    }
}
