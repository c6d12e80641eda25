// The hourglass for the life of the object; the previous cursor comes back afterwards.
#pragma once
#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : previous(SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)))) {}  // IDC_WAIT
    ~CWaitCursor() { SetCursor(previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR previous;
};
