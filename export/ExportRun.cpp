#include "export/ExportRun.h"

#include <cstdio>

#include "engine/EngineMessages.h"
#include "files/PathUtilities.h"

namespace {

bool failed = false;
bool reported = false;

void ReportToErrorStream(const char* path, const char* text, const char*, unsigned) {
    std::fprintf(stderr, "%s: %s\n", path, text);
    failed = reported = true;
}

}  // namespace

void ReportFailuresToErrorStream() {
    SetEngineReporter(ReportToErrorStream);
}

// A failure the engine keeps silent about (nothing readable, a group refused): said once.
void Fail(const std::string& path, const char* text) {
    if (!reported) std::fprintf(stderr, "%s: %s\n", path.c_str(), text);
    failed = true;
}

void StartSource() {
    reported = false;
}

int ChosenGroup(const GroupChoice& choice, const SourceReading& reading, const std::string& source, int fallback) {
    if (!choice.given) return fallback;
    const int index = choice.byId                                                 ? reading.GroupWithId(choice.value)
                      : choice.value < static_cast<unsigned>(reading.IconCount()) ? static_cast<int>(choice.value)
                                                                                  : -1;
    if (index < 0)
        Fail(source,
             ("No icon group " + std::string(choice.byId ? "with id " : "") + std::to_string(choice.value)).c_str());
    return index;
}

int ExitStatus() {
    return failed ? 1 : 0;
}

void ForEachSource(const std::string& folderArgument, const std::vector<std::string>& sources,
                   const std::function<bool(const std::string& source, const std::string& folder)>& work) {
    std::string folder;
    if (!OutputFolder(folderArgument, folder)) return;
    for (const std::string& argument : sources) {
        const std::string source = SourcePath(argument);
        StartSource();
        if (!PathExists(source.c_str()))
            Fail(source, "No such file");
        else if (!work(source, folder))
            return;
    }
}
