#include "framework/HandlerFailures.h"

#include <cstdio>

#include "framework/CWinApp.h"

namespace {
HandlerFailureReporter reporter = nullptr;
bool held = false;
bool shown = false;
char heldText[512] = {};
}  // namespace

HandlerFailureReporter SetHandlerFailureReporterForTesting(HandlerFailureReporter replacement) {
    const HandlerFailureReporter previous = reporter;
    reporter = replacement;
    return previous;
}

void HandlerFailed(const char* what) noexcept {
    if (!what) what = "unknown error";
    if (reporter) return reporter(what);
    if (held || shown) return;
    held = true;
    std::snprintf(heldText, sizeof heldText,
                  "An internal error stopped the last action before it was complete (%s). "
                  "Your catalogue is kept; you may go on working.",
                  what);
}

void ShowHeldHandlerFailure(HWND owner) {
    if (!held || shown) return;
    shown = true;
    held = false;
    AppMessageBox(owner, heldText, MB_OK | MB_ICONERROR);
}
