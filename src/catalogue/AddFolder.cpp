// A folder handed to the program (dropped on the window, or named on the command line): every
// file in it and in its subfolders that holds icons is added, as a picked file is, except that
// the files without icons are skipped without a message. Hidden and system files count; links
// and junctions to folders are not followed, so that a link back up ends no walk in a loop.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueFileLook.h"
#include "files/TextFunctions.h"
#include "files/WideNames.h"
#include "framework/WaitCursor.h"

namespace {
constexpr int MaxEntriesLooked = 100000;
constexpr DWORD ProgressMilliseconds = 250;

// While a walk adds its lines, the list is not painted line by line (each line would repaint
// its scroll bar) and the count is shown by the walk; both come back however the walk ends.
class WalkDisplay {
public:
    WalkDisplay(const CListBox& catalogueList, bool& deferred)
        : list(catalogueList), countDeferred(deferred), wasDeferred(deferred) {
        list.SetRedraw(false);
        countDeferred = true;
    }
    ~WalkDisplay() {
        countDeferred = wasDeferred;
        list.SetRedraw(true);
    }
    WalkDisplay(const WalkDisplay&) = delete;
    WalkDisplay& operator=(const WalkDisplay&) = delete;

private:
    const CListBox& list;
    bool& countDeferred;
    bool wasDeferred;
};
}  // namespace

void ExplorerDialog::AddFolderFiles(const char* folder, char* shown, int& looked, int& unusableNames) {
    if (looked >= MaxEntriesLooked) return;
    CWaitCursor wait;
    // A folder named on the command line is walked before the window would show: the window
    // shows now, so that its count is seen going up.
    if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNORMAL);
    const int countBefore = catalogueList.GetCount();
    {
        const WalkDisplay display(catalogueList, countDeferred);
        // A few times a second: the count as it stands, and a look at the message queue (taking
        // nothing from it), so that a long walk is not taken for a hung program, which the
        // system would hide behind a ghost window after five seconds.
        DWORD shownAt = GetTickCount();
        const auto showProgress = [&] {
            if (GetTickCount() - shownAt < ProgressMilliseconds) return;
            if (catalogueList.GetCount() != countBefore) {
                ShowCatalogueCount();
                UpdateWindow(statusBar.GetSafeHwnd());
            }
            MSG pending;
            PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
            shownAt = GetTickCount();
        };
        // Listed by wide names: a name the code page cannot hold would come back with '?' in
        // place of its letters. Such a file is counted, and one below such a folder too.
        std::vector<std::wstring> folders = {WideFromAnsi(folder)};
        while (!folders.empty() && looked <= MaxEntriesLooked) {
            std::wstring current = folders.back();
            folders.pop_back();
            if (current.empty() || current.back() != L'\\') current += L'\\';
            std::vector<std::string> files;
            std::vector<std::wstring> subfolders;
            WIN32_FIND_DATAW found;
            HANDLE search = FindFirstFileW((current + L"*").c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) continue;
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                if (++looked > MaxEntriesLooked) break;
                const std::wstring widePath = current + name;
                std::string path;
                const bool usable = AnsiFromWide(widePath.c_str(), path);
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    // A longer path is refused like a missing file, never cut short.
                    if (!usable)
                        ++unusableNames;
                    else if (path.size() <= static_cast<size_t>(MaxPathLength))
                        files.push_back(path);
                } else if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    subfolders.push_back(widePath);
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
            showProgress();

            // The files are looked at a batch at a time on two threads, and added in the order
            // found.
            for (size_t first = 0; first < files.size(); first += FilesLookedAtTogether) {
                const std::vector<std::string> batch(
                    files.begin() + static_cast<std::ptrdiff_t>(first),
                    files.begin() + static_cast<std::ptrdiff_t>(std::min(files.size(), first + FilesLookedAtTogether)));
                const std::vector<CatalogueFileLook> looks = LookAtCatalogueFiles(batch);
                for (size_t i = 0; i < batch.size(); ++i)
                    if (AddCatalogueFile(batch[i].c_str(), looks[i], false))
                        lstrcpynA(shown, batch[i].c_str(), PathBufferSize);
                showProgress();
            }
            // The subfolders in the order found, after the files of their folder.
            folders.insert(folders.end(), subfolders.rbegin(), subfolders.rend());
        }
    }
    if (catalogueList.GetCount() != countBefore) ShowCatalogueCount();
}

std::string ExplorerDialog::FolderWalkEndText(int looked, int unusableNames) {
    std::string text;
    if (unusableNames > 0) {
        char sentence[128];
        std::snprintf(sentence, sizeof sentence,
                      "%d files were skipped because their names hold characters this program cannot use.",
                      unusableNames);
        text = sentence;
    }
    if (looked > MaxEntriesLooked) text += (text.empty() ? "" : "\n") + std::string("Only the first 100000 files were looked at.");
    return text;
}
