// Dialog windows built from templates. A dialog's window is subclassed from the very first
// message, so one virtual function, WindowProc, sees everything the window receives (owner-drawn
// controls send WM_MEASUREITEM before WM_INITDIALOG).
#pragma once
#include <windows.h>

class CDialog {
public:
    CDialog(UINT templateId, HWND parent);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window (modeless), disables the owner and runs the dialog's own message loop
    // until EndDialog is called or the window is destroyed. Returns the EndDialog result, or -1
    // when the window could not be created.
    INT_PTR DoModal();

    // Creates the window without entering a loop; answers whether the window exists.
    bool Create();

    // The loop of DoModal, on an existing window.
    INT_PTR RunModalLoop();

    // Ends the modal loop with the given result.
    void EndDialog(INT_PTR result);

    // The message pre-filter: sees every queued message of the loop before it is dispatched and
    // answers true when it has consumed it. By default the dialog keys (IsDialogMessage).
    virtual bool PreTranslateMessage(MSG* message);

    HWND GetSafeHwnd() const { return hwnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd, id); }

protected:
    // Receives every message of the window. The default routes WM_INITDIALOG to OnInitDialog,
    // the IDOK and IDCANCEL commands to OnOK and OnCancel, and the rest to DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The framework's own initialisation: data exchange; answers true (focus to the first tab stop).
    virtual bool OnInitDialog();
    virtual void DoDataExchange() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // The window system's own handling of a message (the dialog manager's window procedure).
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd = nullptr;

private:
    static LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void Detach();

    UINT templateId;
    HWND parent;
    WNDPROC dialogManagerProc = nullptr;
    bool ended = false;
    INT_PTR result = IDCANCEL;
};

// A child window's rectangle in its parent's client coordinates.
inline RECT ChildRectInParent(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The WM_CTLCOLOR* messages, in the order of their kinds (CTLCOLOR_MSGBOX to CTLCOLOR_STATIC).
inline bool IsControlColourMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}
inline UINT ControlColourKind(UINT message) {
    return message - WM_CTLCOLORMSGBOX;
}
