// The application object: runs the main window as a modal dialog and then ends the process.
#pragma once
#include "framework/CWinApp.h"

class IconBrowserApp : public CWinApp {
public:
    bool InitInstance() override;
};
