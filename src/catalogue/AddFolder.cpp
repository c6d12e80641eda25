// A folder handed to the program (dropped on the window, or named on the command line): every
// file in it and in its subfolders that holds icons is added, as a picked file is, except that
// the files without icons are skipped without a message. Hidden and system files count; links
// and junctions to folders are not followed, so that a link back up ends no walk in a loop.
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "files/TextFunctions.h"
#include "framework/WaitCursor.h"

namespace {
constexpr int MaxEntriesLooked = 100000;
constexpr DWORD RepaintMilliseconds = 250;  // the count repainted at most four times a second
}  // namespace

void ExplorerDialog::AddFolderFiles(const char* folder, char* shown, int& looked) {
    if (looked >= MaxEntriesLooked) return;
    CWaitCursor wait;
    // A folder named on the command line is walked before the window would show: the window
    // shows now, so that its count is seen going up.
    if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNORMAL);
    DWORD painted = GetTickCount();
    std::vector<std::string> folders = {folder};
    while (!folders.empty()) {
        std::string current = folders.back();
        folders.pop_back();
        if (current.empty() || current.back() != '\\') current += '\\';
        std::vector<std::string> subfolders;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((current + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (++looked > MaxEntriesLooked) break;
            const std::string path = current + name;
            // A longer path is refused like a missing file, never cut short.
            if (path.size() > static_cast<size_t>(MaxPathLength)) continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.push_back(path);
            } else if (AddCatalogueFile(path.c_str(), false)) {
                lstrcpynA(shown, path.c_str(), PathBufferSize);
                if (GetTickCount() - painted >= RepaintMilliseconds) {
                    UpdateWindow(statusBar.GetSafeHwnd());
                    painted = GetTickCount();
                }
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
        if (looked > MaxEntriesLooked) {
            MessageBoxA(hwnd, "Only the first 100000 files were looked at.", appTitle, MB_ICONINFORMATION | MB_OK);
            return;
        }
        // The subfolders in the order found, after the files of their folder.
        folders.insert(folders.end(), subfolders.rbegin(), subfolders.rend());
    }
}
