// Files handed to the program from outside: dropped on the window from a file manager, or named
// on the command line ("Open with", or a drop on the program's own icon). Each is added as a file
// picked in Add New File is, a folder with the files in it, and the last one added is shown.
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "files/TextFunctions.h"

std::vector<std::string> commandLineFiles;

void ExplorerDialog::OnDropFiles(HDROP drop) {
    // While a dialog of the window is open, the catalogue stays as that dialog found it.
    UINT count = IsWindowEnabled(hwnd) ? DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) : 0;
    std::vector<std::string> files;
    for (UINT i = 0; i < count; ++i) {
        char path[PathBufferSize];
        // A name too long for a path buffer is refused like a missing file, never cut short.
        if (DragQueryFileA(drop, i, nullptr, 0) > static_cast<UINT>(MaxPathLength)) continue;
        if (DragQueryFileA(drop, i, path, sizeof path) != 0) files.push_back(path);
    }
    DragFinish(drop);
    AddHandedFiles(files);
}

void ExplorerDialog::AddStartupFiles() {
    DragAcceptFiles(hwnd, TRUE);
    std::vector<std::string> files;
    files.swap(commandLineFiles);  // taken once
    AddHandedFiles(files);
}

void ExplorerDialog::AddHandedFiles(const std::vector<std::string>& files) {
    char shown[PathBufferSize] = {};
    int looked = 0;  // the entries of the folders walked, counted against one limit
    for (const std::string& file : files) {
        // Names relative to the current folder are stored as full paths, which stay valid for
        // the next run; a full path that does not fit is refused like a missing file.
        char path[PathBufferSize];
        DWORD length = GetFullPathNameA(file.c_str(), sizeof path, path, nullptr);
        if (length == 0 || length >= sizeof path) continue;
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            AddFolderFiles(path, shown, looked);
        else if (AddCatalogueFile(path))
            lstrcpynA(shown, path, PathBufferSize);
    }
    if (shown[0]) ShowCatalogueFile(shown);
}
