#include <windows.h>

#include <cstdlib>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The files named on the command line are added once the catalogue is there.
    for (int i = 1; i < __argc; ++i)
        commandLineFiles.push_back(__argv[i]);
    return theApp.Run(instance);
}
