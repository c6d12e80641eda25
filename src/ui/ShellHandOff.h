// The two calls that hand work to other programs: opening a link or a page with its default
// program, and opening a help file in the help viewer. Both programs run on their own and
// outlive the caller, so tests put their own functions here.
#pragma once
#include <windows.h>
#include <shellapi.h>

struct ShellHandOff {
    HINSTANCE(WINAPI* openLink)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = &ShellExecuteA;
    BOOL(WINAPI* openHelp)(HWND, LPCSTR, UINT, ULONG_PTR) = &WinHelpA;
};

inline ShellHandOff shellHandOff;
