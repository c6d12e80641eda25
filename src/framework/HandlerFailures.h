// Exceptions that a message handler lets out are stopped before they cross into the window
// system's own code, and reported. By default the first one is shown once, in a message box
// opened by the modal loop after the handler has returned: a box opened inside drawing or
// measuring would re-enter the code that failed.
#pragma once
#include <windows.h>

using HandlerFailureReporter = void (*)(const char* what);

// For tests: replaces the default reporting, answering the reporter it replaces; nullptr
// restores the default. The tests make a failure fail the test.
HandlerFailureReporter SetHandlerFailureReporterForTesting(HandlerFailureReporter reporter);

// Called where an exception is stopped, with its description.
void HandlerFailed(const char* what) noexcept;

// Called by the modal loop between messages: shows the failure held back, once per run.
void ShowHeldHandlerFailure(HWND owner);
