#include <cstdio>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "ui/ShellHandOff.h"

namespace {
constexpr const char* HelpFileName = "glyphdock.hlp";
constexpr const char* HelpMissing = "The help file could not be found in the application directory.";
}  // namespace

// The help file is looked for in the start-up folder only. A path that would not fit a path
// buffer counts as missing rather than being cut to the name of some other file.
void ExplorerDialog::OnHelpContents() {
    char helpPath[PathBufferSize] = {};
    int length = std::snprintf(helpPath, sizeof helpPath, "%s%s", startupFolder, HelpFileName);
    if (length > 0 && length < PathBufferSize && PathExists(helpPath))
        shellHandOff.openHelp(GetDesktopWindow(), helpPath, HELP_CONTENTS, 0);
    else
        MessageBoxA(hwnd, HelpMissing, appTitle, MB_ICONINFORMATION | MB_OK);
}
