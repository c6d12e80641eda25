// Files handed to the program from outside: dropped on the window from a file manager, or named
// on the command line ("Open with", or a drop on the program's own icon). Each is added as a file
// picked in Add New File is, a folder with the files in it, and the last one added is shown.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "catalogue/FolderWalk.h"
#include "files/TextFunctions.h"
#include "files/WideNames.h"
#include "system/OwnedHandles.h"

std::vector<std::wstring> commandLineFiles;

std::vector<std::wstring> NamesOnCommandLine(const wchar_t* commandLine) {
    std::vector<std::wstring> names;
    int count = 0;
    const UniqueLocal<wchar_t**> arguments(commandLine && commandLine[0] ? CommandLineToArgvW(commandLine, &count)
                                                                         : nullptr);
    if (!arguments) return names;
    for (int i = 1; i < count; ++i)
        names.push_back(arguments.get()[i]);
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

// What the walks of the folders among the files have to say comes in one message at the end.
void ExplorerDialog::AddHandedFiles(const std::vector<std::wstring>& files) {
    FolderWalk walk;
    for (const std::wstring& name : files) {
        if (!hwnd) return;  // the session ended meanwhile
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
