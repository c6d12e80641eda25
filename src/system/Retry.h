// Trying again for a short while: another program (a scanner, a clipboard viewer) often holds
// a file or the clipboard for a moment only.
#pragma once
#include <windows.h>

constexpr DWORD RetryMilliseconds = 200;

// Calls `attempt` until it answers true or `milliseconds` have passed; its last answer.
template <typename Attempt>
bool RetryFor(DWORD milliseconds, Attempt attempt) {
    const ULONGLONG start = GetTickCount64();
    while (!attempt()) {
        if (GetTickCount64() - start >= milliseconds) return false;
        Sleep(10);
    }
    return true;
}
