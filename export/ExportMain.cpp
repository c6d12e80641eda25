// glyphdock-export: the icon groups of program files, for scripts, benchmarks and checks from
// outside, through the same engine as the program's Save All and selection details.
//
//   glyphdock-export FOLDER SOURCE...   writes every icon group of each source into FOLDER,
//                                        named as Save All names them (NAME_000.ico, ...)
//   glyphdock-export --list SOURCE       prints one line per icon group: its index, its group
//                                        name and its summary, separated by tabs
//
// Exit status: 0 when every source was handled, 1 when any was refused or failed, 2 for wrong
// usage. Failures go to the error stream as "PATH: TEXT".
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/EngineMessages.h"
#include "engine/IconSource.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

namespace {

bool failed = false;
bool reported = false;

void ReportToErrorStream(const char* path, const char* text, const char*, unsigned) {
    std::fprintf(stderr, "%s: %s\n", path, text);
    failed = reported = true;
}

// A failure the engine keeps silent about (nothing readable, a group refused): said once.
void Fail(const std::string& path, const char* text) {
    if (!reported) std::fprintf(stderr, "%s: %s\n", path.c_str(), text);
    failed = true;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: glyphdock-export FOLDER SOURCE...\n"
                 "       glyphdock-export --list SOURCE\n");
    return 2;
}

// Messages name sources and folders by their full paths, whatever the current folder was.
std::string FullPath(const char* path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full) : std::string(path);
}

void List(const std::string& source) {
    if (!PathExists(source.c_str())) return Fail(source, "No such file");
    bool everyGroupRead = true;
    const bool listed =
        ListIconGroups(source.c_str(), nullptr, [&](int index, const std::string& name, const std::string& summary) {
            std::printf("%d\t%s\t%s\n", index, name.c_str(), summary.c_str());
            if (summary.empty()) everyGroupRead = false;
        });
    if (!listed)
        Fail(source, "No icon groups could be read");
    else if (!everyGroupRead)
        Fail(source, "Not every icon group could be read");
}

void ExportAll(const char* folderArgument, char** sources, int count) {
    // The folder with its trailing backslash must fit in a path buffer; a cut folder would be
    // another folder, and the names would be glued onto it.
    const std::string full = FullPath(folderArgument);
    if (full.size() + (full.empty() || full.back() != '\\' ? 1 : 0) > static_cast<size_t>(MaxPathLength)) {
        Fail(folderArgument, "Folder name too long");
        return;
    }
    char folder[PathBufferSize];
    std::snprintf(folder, sizeof folder, "%s", full.c_str());
    if (!PathExists(folder) && !CreateDirectoryPath(folder)) {
        Fail(folder, "Cannot create directory");
        return;
    }
    AppendBackslash(folder);
    for (int i = 0; i < count; ++i) {
        const std::string source = FullPath(sources[i]);
        reported = false;
        if (!PathExists(source.c_str()))
            Fail(source, "No such file");
        else if (!ExportAllIconGroups(source.c_str(), nullptr, folder))
            Fail(source, "Not every icon group could be exported");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool list = argc >= 2 && std::strcmp(argv[1], "--list") == 0;
    if (argc < 3 || (list && argc != 3) || (!list && std::strncmp(argv[1], "--", 2) == 0)) return Usage();
    SetEngineReporter(ReportToErrorStream);
    // No window: the engine keeps the group names itself, so no display is needed.
    if (list)
        List(FullPath(argv[2]));
    else
        ExportAll(argv[1], argv + 2, argc - 2);
    std::fflush(stdout);
    return failed ? 1 : 0;
}
