// Files handed to the program from outside: dropped on the window from a file manager, or named
// on the command line ("Open with", or a drop on the program's own icon). Each is added as a file
// picked in Add New File is, a folder with the files in it, and the last one added is shown.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "files/TextFunctions.h"
#include "files/WideNames.h"

std::vector<std::wstring> commandLineFiles;

std::vector<std::wstring> NamesOnCommandLine(const wchar_t* commandLine) {
    std::vector<std::wstring> names;
    int count = 0;
    wchar_t** arguments = commandLine && commandLine[0] ? CommandLineToArgvW(commandLine, &count) : nullptr;
    if (!arguments) return names;
    for (int i = 1; i < count; ++i)
        names.push_back(arguments[i]);
    LocalFree(arguments);
    return names;
}

void ExplorerDialog::OnDropFiles(HDROP drop) {
    // While a dialog of the window is open, the catalogue stays as that dialog found it.
    UINT count = IsWindowEnabled(hwnd) ? DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) : 0;
    std::vector<std::wstring> files;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        if (length > 0 && DragQueryFileW(drop, i, name.data(), length + 1) == length) {
            name.resize(length);
            files.push_back(name);
        }
    }
    DragFinish(drop);
    AddHandedFiles(files);
}

void ExplorerDialog::AddStartupFiles() {
    DragAcceptFiles(hwnd, TRUE);
    std::vector<std::wstring> files;
    files.swap(commandLineFiles);  // taken once
    AddHandedFiles(files);
}

void ExplorerDialog::AddHandedFiles(const std::vector<std::wstring>& files) {
    char shown[PathBufferSize] = {};
    int looked = 0;  // the entries of the folders walked, counted against one limit
    int unusableNames = 0;
    for (const std::wstring& name : files) {
        // A file or folder whose name the code page cannot hold is named to the user; a missing
        // one is passed over, as a missing file always is.
        std::string file;
        if (!AnsiFromWide(name.c_str(), file)) {
            if (GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES)
                MessageBoxA(hwnd, NameNotUsable, appTitle, MB_ICONINFORMATION | MB_OK);
            continue;
        }
        // A name too long for a path buffer is refused like a missing file, never cut short.
        if (file.size() > static_cast<size_t>(MaxPathLength)) continue;
        // Names relative to the current folder are stored as full paths, which stay valid for
        // the next run; a full path that does not fit is refused like a missing file.
        char path[PathBufferSize];
        DWORD length = GetFullPathNameA(file.c_str(), sizeof path, path, nullptr);
        if (length == 0 || length >= sizeof path) continue;
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            AddFolderFiles(path, shown, looked, unusableNames);
        else if (AddCatalogueFile(path))
            lstrcpynA(shown, path, PathBufferSize);
    }
    if (shown[0]) ShowCatalogueFile(shown);
    // What the walks leave unsaid comes once, in one message, after the last file is shown.
    const std::string text = FolderWalkEndText(looked, unusableNames);
    if (!text.empty()) MessageBoxA(hwnd, text.c_str(), appTitle, MB_ICONINFORMATION | MB_OK);
}
