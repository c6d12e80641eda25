#include "framework/CWinApp.h"

#include <ole2.h>

#include <cstring>

#include "files/TextFunctions.h"

namespace {
CWinApp* currentApp = nullptr;
}

CWinApp::CWinApp() {
    currentApp = this;
}

CWinApp::~CWinApp() {
    if (currentApp == this) currentApp = nullptr;
}

int CWinApp::Run(HINSTANCE) {
    return InitInstance() ? 1 : 0;
}

HINSTANCE AppInstance() {
    return GetModuleHandleA(nullptr);
}

const char* AppName() {
    static char name[MAX_PATH];
    if (name[0] == 0) {
        char path[MAX_PATH] = {};
        DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return "";
        strcpy(name, FileNamePart(path));
        if (char* dot = strrchr(name, '.')) *dot = 0;
    }
    return name;
}

int AppMessageBox(HWND owner, const char* text, UINT style) {
    return MessageBoxA(owner, text, AppName(), style);
}

OleSession::OleSession() : initialised(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
    if (initialised) OleUninitialize();
}
