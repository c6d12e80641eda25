// Thin wrappers of the toolbar and status bar controls. They refer to a child window that its
// parent destroys; the wrapper owns nothing.
#pragma once
#include <windows.h>
#include <commctrl.h>

class CToolBarCtrl {
public:
    bool Create(DWORD style, HWND parent, UINT id);
    bool SetBitmapSize(int width, int height);  // before the first bitmap is added
    bool AddBitmap(int count, UINT bitmapId);
    bool AddStrings(const char* strings);  // each ended by a NUL, the list by a second NUL
    bool AddButtons(int count, TBBUTTON* buttons);
    int GetState(int command) const;  // -1 when there is no such button
    bool SetState(int command, int state);
    void ModifyStyle(DWORD remove, DWORD add);
    HWND GetSafeHwnd() const { return hwnd; }

private:
    HWND hwnd = nullptr;
};

class CStatusBarCtrl {
public:
    bool Create(DWORD style, HWND parent, UINT id);
    bool SetParts(int count, const int* rightEdges);
    bool SetText(const char* text, int part, int type);
    HWND GetSafeHwnd() const { return hwnd; }

private:
    HWND hwnd = nullptr;
};
