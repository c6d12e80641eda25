// Help Contents looks for the user's guide beside the program file too.
#pragma once
#include <windows.h>

// For tests: the function called in place of GetModuleFileNameA for the program file's path, to
// put the program elsewhere. Answers the one it replaces; null restores the system's.
using ProgramPathReader = DWORD(WINAPI*)(HMODULE, LPSTR, DWORD);
ProgramPathReader SetProgramPathForTesting(ProgramPathReader reader);
