// Files handed to the program from outside: dropped on the window from a file manager, or named
// on the command line ("Open with", or a drop on the program's own icon). Each is added as a file
// picked in Add New File is, a folder with the files in it, and the last one added is shown.
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "catalogue/FolderWalk.h"
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

// What the walks of the folders among the files have to say comes in one message at the end.
void ExplorerDialog::AddHandedFiles(const std::vector<std::string>& files) {
    FolderWalk walk;
    for (const std::string& file : files) {
        if (!hwnd) return;  // the session ended meanwhile
        // Names relative to the current folder are stored as full paths, which stay valid for
        // the next run; a full path that does not fit is refused like a missing file.
        char path[PathBufferSize];
        DWORD length = GetFullPathNameA(file.c_str(), sizeof path, path, nullptr);
        if (length == 0 || length >= sizeof path) continue;
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            AddFolderFiles(path, walk);
        else if (AddCatalogueFile(path))
            lstrcpynA(walk.shown, path, PathBufferSize);
    }
    if (!hwnd) return;
    if (walk.shown[0]) ShowCatalogueFile(walk.shown);
    std::string text;
    for (const std::string& sentence : walk.EndSentences())
        text += (text.empty() ? "" : "\n") + sentence;
    if (!text.empty()) MessageBoxA(hwnd, text.c_str(), appTitle, MB_ICONINFORMATION | MB_OK);
}
