#include "framework/CDialog.h"

#include <commctrl.h>

#include <exception>

#include "framework/CWinApp.h"
#include "framework/HandlerFailures.h"

namespace {

// The dialog whose window is being created on this thread.
thread_local CDialog* dialogBeingCreated = nullptr;

// Dialogs never see their DLGPROC called for anything they handle: the subclass answers first.
// It must exist all the same, since the dialog manager sends WM_INITDIALOG only to dialogs with one.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool IsDialogClass(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

}  // namespace

CDialog::CDialog(UINT templateId_, HWND parent_) : templateId(templateId_), parent(parent_) {}

CDialog::~CDialog() {
    if (hwnd) DestroyWindow(hwnd);
}

LRESULT CALLBACK CDialog::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && dialogBeingCreated && IsDialogClass(reinterpret_cast<HWND>(wParam))) {
        CDialog* dialog = dialogBeingCreated;
        dialogBeingCreated = nullptr;
        dialog->Attach(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CDialog::Attach(HWND window) {
    hwnd = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    dialogManagerProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialog::Trampoline)));
}

void CDialog::Detach() {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogManagerProc));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    hwnd = nullptr;
}

LRESULT CALLBACK CDialog::Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!dialog) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT answer = 0;
    // No exception may unwind through the window system's own frames.
    try {
        answer = dialog->WindowProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        HandlerFailed(error.what());
    } catch (...) {
        HandlerFailed("unknown exception");
    }
    if (message == WM_NCDESTROY) dialog->Detach();
    return answer;
}

bool CDialog::Create() {
    if (hwnd) return true;
    // The templates hold common controls; their window classes must exist before creation.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    ended = false;
    // The hook stays in place while the dialog initialises, which may create dialogs of its own;
    // only the first dialog window is taken, then the pointer is cleared.
    // Without the hook the window could not be attached and would stay on screen unmanaged.
    HHOOK hook = SetWindowsHookExA(WH_CBT, &CDialog::CreationHook, nullptr, GetCurrentThreadId());
    if (!hook) return false;
    dialogBeingCreated = this;
    HWND created = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(templateId), parent, &PassiveDialogProc, 0);
    UnhookWindowsHookEx(hook);
    dialogBeingCreated = nullptr;
    return created != nullptr && hwnd != nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = parent;
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    if (!Create()) {
        if (ownerWasEnabled) EnableWindow(owner, TRUE);
        return -1;
    }
    // A modal dialog shows even when its template does not say visible.
    if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNORMAL);
    RunModalLoop();
    // The owner is enabled before this window goes, so that the activation returns to it.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (hwnd) DestroyWindow(hwnd);
    return result;
}

INT_PTR CDialog::RunModalLoop() {
    MSG message;
    while (!ended && hwnd) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The loop cannot go on: the window still ends the way every close request ends it,
            // through its cancel command. WM_QUIT then goes on to an outer loop.
            if (!ended && hwnd) SendMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        ShowHeldHandlerFailure(hwnd);
    }
    return result;
}

void CDialog::EndDialog(INT_PTR result_) {
    result = result_;
    ended = true;
    if (hwnd) PostMessageA(hwnd, WM_NULL, 0, 0);  // wakes the loop
}

bool CDialog::PreTranslateMessage(MSG* message) {
    return hwnd && IsDialogMessageA(hwnd, message);
}

bool CDialog::OnInitDialog() {
    DoDataExchange();
    return true;
}

LRESULT CDialog::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!dialogManagerProc) return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallWindowProcA(dialogManagerProc, hwnd, message, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
