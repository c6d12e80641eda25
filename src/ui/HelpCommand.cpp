#include <cstdio>

#include "app/ExplorerDialog.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "ui/ShellHandOff.h"

namespace {
constexpr const char* HelpFileName = "glyphdock.hlp";
constexpr const char* GuideFileName = "glyphdock.html";
constexpr const char* HelpMissing = "The help file could not be found in the application directory.";

// `name` in the start-up folder, when it is there. A path that would not fit a path buffer
// counts as missing rather than being cut to the name of some other file.
bool StartupFile(const char* folder, const char* name, char (&path)[PathBufferSize]) {
    int length = std::snprintf(path, sizeof path, "%s%s", folder, name);
    return length > 0 && length < PathBufferSize && PathExists(path);
}
}  // namespace

// The help file is looked for in the start-up folder only. Without it, the user's guide that
// the release carries opens in the user's browser; the shell shows its own message, owned by
// the main window, when nothing can open it.
void ExplorerDialog::OnHelpContents() {
    char path[PathBufferSize] = {};
    if (StartupFile(startupFolder, HelpFileName, path))
        shellHandOff.openHelp(GetDesktopWindow(), path, HELP_CONTENTS, 0);
    else if (StartupFile(startupFolder, GuideFileName, path))
        shellHandOff.openLink(hwnd, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    else
        MessageBoxA(hwnd, HelpMissing, appTitle, MB_ICONINFORMATION | MB_OK);
}
