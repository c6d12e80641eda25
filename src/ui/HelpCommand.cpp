#include "ui/HelpCommand.h"

#include <cstdio>

#include "app/ExplorerDialog.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "ui/ShellHandOff.h"

namespace {
constexpr const char* HelpFileName = "glyphdock.hlp";
constexpr const char* GuideFileName = "glyphdock.html";
constexpr const char* HelpMissing = "The help file could not be found in the application directory.";
ProgramPathReader programPath = nullptr;

// `name` in `folder`, when it is there. A path that would not fit a path buffer counts as
// missing rather than being cut to the name of some other file.
bool FileIn(const char* folder, const char* name, char (&path)[PathBufferSize]) {
    int length = std::snprintf(path, sizeof path, "%s%s", folder, name);
    return folder[0] && length > 0 && length < PathBufferSize && PathExists(path);
}

// The folder of the program file, with its trailing backslash; empty when it cannot be had.
void ProgramFolder(char (&folder)[PathBufferSize]) {
    char program[PathBufferSize] = {};
    const DWORD length = (programPath ? programPath : &GetModuleFileNameA)(nullptr, program, sizeof program);
    folder[0] = 0;
    if (length > 0 && length < sizeof program) DirectoryPart(folder, program);
}
}  // namespace

ProgramPathReader SetProgramPathForTesting(ProgramPathReader reader) {
    const ProgramPathReader previous = programPath;
    programPath = reader;
    return previous;
}

// The help file is looked for in the start-up folder only. Without it, the user's guide that
// the release carries opens in the user's browser: from the start-up folder, or else from the
// program's own, for a program started from elsewhere (a shortcut's "Start in", "Open with", a
// command prompt). The shell shows its own message, owned by the main window, when nothing can
// open it.
void ExplorerDialog::OnHelpContents() {
    char path[PathBufferSize] = {};
    char programFolder[PathBufferSize];
    if (FileIn(startupFolder, HelpFileName, path)) {
        OpenHelpContents(GetDesktopWindow(), path);
        return;
    }
    ProgramFolder(programFolder);
    if (FileIn(startupFolder, GuideFileName, path) || FileIn(programFolder, GuideFileName, path))
        OpenLink(hwnd, "open", path);
    else
        MessageBoxA(hwnd, HelpMissing, appTitle, MB_ICONINFORMATION | MB_OK);
}
