#include <windows.h>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The files named on the command line are added once the catalogue is there.
    commandLineFiles = NamesOnCommandLine(GetCommandLineW());
    return theApp.Run(instance);
}
