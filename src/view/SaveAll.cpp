#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueList.h"
#include "engine/EngineMessages.h"
#include "engine/IconSource.h"
#include "engine/SourceReading.h"
#include "ui/FolderChooser.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "framework/WaitCursor.h"
#include "framework/WorkWhileAnswering.h"

char lastSaveAllFolder[MAX_PATH] = {};

namespace {
constexpr const char* CannotCreateFolder = "Cannot create directory. Check your entries and try again.";
constexpr const char* FolderTooDeep = "The folder's path is too long for the icon file names.";
constexpr const char* NothingRead = "The icons could not be read. Nothing was saved.";

bool IsFolder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the longest output name of `iconCount` icons fits in a path buffer.
bool OutputNamesFit(const char* folder, const std::string& displayName, int iconCount) {
    const std::string last = GroupFileName(folder, displayName, std::max(iconCount - 1, 0));
    const bool separator = !EndsWithBackslash(folder);
    return last.size() + (separator ? 1 : 0) <= static_cast<size_t>(MaxPathLength);
}

// The engine's messages during the export are shown by the window's thread, each in its turn.
EngineReporter windowReporter = nullptr;
void ReportOnWindowThread(const char* path, const char* text, const char* caption, unsigned style) {
    OnWaitingThread([&] { windowReporter(path, text, caption, style); });
}
class ReportingOnWindowThread {
public:
    // A Save All started while another one's message is shown (its box has no owner) keeps the
    // window's reporter of the first.
    ReportingOnWindowThread() : previous(SetEngineReporter(ReportOnWindowThread)) {
        if (previous != ReportOnWindowThread) windowReporter = previous;
    }
    ~ReportingOnWindowThread() { SetEngineReporter(previous); }
    ReportingOnWindowThread(const ReportingOnWindowThread&) = delete;
    ReportingOnWindowThread& operator=(const ReportingOnWindowThread&) = delete;

private:
    EngineReporter previous;
};

// The hidden list of group names belongs to the window's thread too.
void ListOnWindowThread(const std::vector<std::string>& names) {
    OnWaitingThread([&] { ListGroupNames(names); });
}
}  // namespace

void ExplorerDialog::OnSaveAll() {
    if (catalogueList.GetCount() == 0) return;
    const CatalogueEntry* entry = EntryAt(catalogueList, catalogueList.GetCurSel());
    if (!entry) return;
    const std::string source = entry->path;

    char folder[PathBufferSize] = {};
    if (!ChooseFolder(hwnd, folder, lastSaveAllFolder)) return;
    TrimBlanks(folder);
    if (folder[0] == 0) {
        lastSaveAllFolder[0] = 0;
        return;
    }

    // Every look at the source and the folder, and every file written, may take seconds on a
    // slow share or with a scanner: they happen on a worker while the window answers.
    std::string displayName;
    std::unique_ptr<SourceReading> reading;
    bool exists = false;
    {
        CWaitCursor wait;
        RunWhileAnswering([&] {
            displayName = SourceDisplayName(source.c_str());
            reading = std::make_unique<SourceReading>(source.c_str());
            exists = PathExists(folder);
        });
    }
    // A folder so deep that the output names would not fit would fail once per icon: it is
    // refused once, before anything is created. The module's own groups count, not the view's,
    // which has none for a file never shown; the same reading is then exported.
    if (!OutputNamesFit(folder, displayName, reading->IconCount())) {
        MessageBoxA(hwnd, FolderTooDeep, appTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!exists) {
        const std::string question = std::string("\"") + folder + "\"" + " doesn't exits. Do you want to create it?";
        if (MessageBoxA(hwnd, question.c_str(), appTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }

    char target[PathBufferSize];
    std::strcpy(target, folder);
    AppendBackslash(target);
    bool accepted = false;
    ExportTally tally;
    {
        CWaitCursor wait;
        const ReportingOnWindowThread reporting;
        RunWhileAnswering([&] {
            // A file that stands in the folder's place cannot take the files either.
            accepted = (exists || CreateDirectoryPath(folder)) && IsFolder(folder);
            if (accepted) tally = ExportAllIconGroups(*reading, source.c_str(), target, ListOnWindowThread);
        });
    }
    if (!accepted) {
        MessageBoxA(hwnd, CannotCreateFolder, appTitle, MB_OK | MB_ICONSTOP);
        return;
    }
    std::strcpy(lastSaveAllFolder, folder);

    char text[128];
    if (tally.stopped) {
        // The folder's failure was told once, for the first file it refused.
        std::snprintf(text, sizeof text, "%d of %d icons were not saved.", tally.groups - tally.written, tally.groups);
        MessageBoxA(hwnd, text, appTitle, MB_OK | MB_ICONINFORMATION);
    } else if (tally.groups == 0 && !tally.failed) {
        // A source changed or removed since it was shown has no groups left to write.
        MessageBoxA(hwnd, NothingRead, appTitle, MB_OK | MB_ICONINFORMATION);
    } else if (tally.unread > 0) {
        std::snprintf(text, sizeof text, "%d of %d icons could not be read and were not saved.", tally.unread,
                      tally.groups);
        MessageBoxA(hwnd, text, appTitle, MB_OK | MB_ICONINFORMATION);
    }
}
