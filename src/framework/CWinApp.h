// Application object: the process's single instance, its instance handle and its name.
#pragma once
#include <windows.h>

class CDialog;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once by WinMain. Returns the process exit code. When InitInstance answers false
    // the application ends without a message loop of its own.
    int Run(HINSTANCE instance);

    virtual bool InitInstance() { return false; }

    // Hosting of embedded controls and the three-dimensional look: both are built into the
    // common controls that every dialog of ours registers before it is created.
    void EnableControlContainer() {}
    void Enable3dControls() {}

    CDialog* mainWindow = nullptr;
};

// The module whose resources and window classes the program uses.
HINSTANCE AppInstance();

// The program file's name without its extension: the caption of message boxes that name none.
const char* AppName();

// A message box whose caption is AppName().
int AppMessageBox(HWND owner, const char* text, UINT style);

// COM and OLE on the calling thread, apartment-threaded, for as long as this object lives: the
// shell's folder browser requires it and the file dialogs host shell extensions that expect it.
// Undone at the end only when it succeeded (S_FALSE, already initialised, counts as success).
class OleSession {
public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised;
};
