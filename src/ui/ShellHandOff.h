// The calls that hand work to other programs: opening a link or a page with its default
// program, and opening a help file in the help viewer. Both programs run on their own and
// outlive the caller, so tests put stand-ins in their place.
#pragma once
#include <windows.h>

// Opens `target` with its default program (`verb` null) or by `verb`, its window shown normally;
// the shell tells the user itself, owned by `owner`, when nothing can open it.
void OpenLink(HWND owner, const char* verb, const char* target);
// Opens the contents of the help file `path` in the help viewer.
void OpenHelpContents(HWND owner, const char* path);

// For tests: the functions called in place of ShellExecuteA and WinHelpA. Each answers the one
// it replaces; null restores the system's.
using LinkOpener = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
LinkOpener SetLinkOpenerForTesting(LinkOpener opener);
using HelpOpener = BOOL(WINAPI*)(HWND, LPCSTR, UINT, ULONG_PTR);
HelpOpener SetHelpOpenerForTesting(HelpOpener opener);
