#include "engine/EngineMessages.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#endif

namespace {

#ifdef _WIN32
void ShowMessageBox(const char*, const char* text, const char* caption, unsigned style) {
    MessageBoxA(nullptr, text, caption, style);
}
constexpr unsigned FailureStyle = MB_OK, InformationStyle = MB_OK | MB_ICONINFORMATION;
#else
// Linux has no message boxes: "PATH: TEXT" on the error stream.
void ShowMessageBox(const char* path, const char* text, const char*, unsigned) {
    std::fprintf(stderr, "%s: %s\n", path, text);
}
constexpr unsigned FailureStyle = 0, InformationStyle = 0;
#endif

EngineReporter reporter = ShowMessageBox;

}  // namespace

EngineReporter SetEngineReporter(EngineReporter replacement) {
    const EngineReporter previous = reporter;
    reporter = replacement ? replacement : ShowMessageBox;
    return previous;
}

void ReportEngineFailure(const char* path, const char* text) {
    reporter(path, text, path, FailureStyle);
}

void ReportIconFileSource(const char* path) {
    reporter(path, AlreadyAnIconFile, ProgramCaption, InformationStyle);
}
