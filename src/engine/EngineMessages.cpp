#include "engine/EngineMessages.h"

#include <windows.h>

namespace {

void ShowMessageBox(const char*, const char* text, const char* caption, unsigned style) {
    MessageBoxA(nullptr, text, caption, style);
}

EngineReporter reporter = ShowMessageBox;

}  // namespace

EngineReporter SetEngineReporter(EngineReporter replacement) {
    const EngineReporter previous = reporter;
    reporter = replacement ? replacement : ShowMessageBox;
    return previous;
}

void ReportEngineFailure(const char* path, const char* text) {
    reporter(path, text, path, MB_OK);
}

void ReportIconFileSource(const char* path) {
    reporter(path, AlreadyAnIconFile, ProgramCaption, MB_OK | MB_ICONINFORMATION);
}
