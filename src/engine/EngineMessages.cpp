#include "engine/EngineMessages.h"

namespace {

EngineReporter reporter = ShowMessageBox;

}  // namespace

EngineReporter SetEngineReporter(EngineReporter replacement) {
    const EngineReporter previous = reporter;
    reporter = replacement ? replacement : ShowMessageBox;
    return previous;
}

void ReportEngineFailure(const char* path, const char* text) {
    reporter(path, text, path, SystemMessageFailure);
}

void ReportIconFileSource(const char* path) {
    reporter(path, AlreadyAnIconFile, ProgramCaption, SystemMessageInformation);
}
