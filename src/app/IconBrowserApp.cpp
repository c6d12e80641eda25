#include "app/IconBrowserApp.h"

#include "app/ExplorerDialog.h"

bool IconBrowserApp::InitInstance() {
    EnableControlContainer();
    Enable3dControls();
    const OleSession ole;
    {
        ExplorerDialog dialog(nullptr);
        mainWindow = &dialog;
        dialog.DoModal();  // the result is not examined: closing the window ends the program
        mainWindow = nullptr;
    }
    return false;
}
