// Help Contents looks for the user's guide beside the program file too.
#pragma once
#include <windows.h>

// The program file's path, as GetModuleFileNameA answers it; tests put the program elsewhere.
inline DWORD(WINAPI* programFilePath)(HMODULE, LPSTR, DWORD) = &GetModuleFileNameA;
