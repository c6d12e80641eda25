// A folder handed to the program (dropped on the window, or named on the command line): every
// file in it and in its subfolders that holds icons is added, as a picked file is, except that
// the files without icons are skipped without a message. Hidden and system files count; links
// and junctions to folders are not followed, so that a link back up ends no walk in a loop.
// Files stored only online are counted, not read. The folders are listed and the files looked
// at on worker threads, so that a slow share or a scanner never stops the window answering.
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueFileLook.h"
#include "catalogue/FolderWalk.h"
#include "files/WideNames.h"
#include "framework/ScopedValue.h"
#include "framework/WaitCursor.h"
#include "framework/WorkWhileAnswering.h"

namespace {
constexpr DWORD ProgressMilliseconds = 250;

// While a walk adds its lines, the list is not painted line by line (each line would repaint
// its scroll bar); it is painted again however the walk ends.
class ListRedrawOff {
public:
    explicit ListRedrawOff(const CListBox& catalogueList) : list(catalogueList) { list.SetRedraw(false); }
    ~ListRedrawOff() { list.SetRedraw(true); }
    ListRedrawOff(const ListRedrawOff&) = delete;
    ListRedrawOff& operator=(const ListRedrawOff&) = delete;

private:
    const CListBox& list;
};
}  // namespace

void ExplorerDialog::AddFolderFiles(const char* folder, FolderWalk& walk) {
    CWaitCursor wait;
    // A folder named on the command line is walked before the window would show: the window
    // shows now, so that its count is seen going up.
    if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNORMAL);
    const int countBefore = catalogueList.GetCount();
    {
        // The count is shown by the walk, not by every add.
        const ScopedValue<bool> deferred(countDeferred, true);
        const ListRedrawOff redrawOff(catalogueList);
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
        // The window goes when the session ends during the walk: the walk ends with it.
        // Folders are walked by their wide names, so that one whose name the code page cannot hold
        // still has its files counted.
        std::vector<std::wstring> folders = {WideFromAnsi(folder)};
        while (!folders.empty() && !walk.cut && hwnd) {
            std::wstring current = folders.back();
            folders.pop_back();
            if (current.empty() || current.back() != L'\\') current += L'\\';
            std::vector<std::string> files;
            std::vector<std::wstring> subfolders;
            RunWhileAnswering([&] { walk.List(current, files, subfolders); });
            showProgress();

            // The files are looked at a batch at a time, and added in the order found.
            for (size_t first = 0; first < files.size() && hwnd; first += FilesLookedAtTogether) {
                const std::vector<std::string> batch(
                    files.begin() + static_cast<std::ptrdiff_t>(first),
                    files.begin() + static_cast<std::ptrdiff_t>(std::min(files.size(), first + FilesLookedAtTogether)));
                const std::vector<CatalogueFileLook> looks = LookAtCatalogueFiles(batch);
                for (size_t i = 0; i < batch.size() && hwnd; ++i)
                    if (AddCatalogueFile(batch[i].c_str(), looks[i], false))
                        lstrcpynA(walk.shown, batch[i].c_str(), PathBufferSize);
                showProgress();
            }
            // The subfolders in the order found, after the files of their folder.
            folders.insert(folders.end(), subfolders.rbegin(), subfolders.rend());
        }
    }
    if (hwnd && catalogueList.GetCount() != countBefore) ShowCatalogueCount();
}
