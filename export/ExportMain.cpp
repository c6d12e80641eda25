// glyphdock-export: the icon groups of program files, for scripts, benchmarks and checks from
// outside, through the same engine as the program's Save All and selection details. Built for
// Windows and, natively, for Linux.
//
//   glyphdock-export FOLDER SOURCE...   writes every icon group of each source into FOLDER,
//                                        named as Save All names them (NAME_000.ico, ...)
//   glyphdock-export --list SOURCE       prints one line per icon group: its index, its group
//                                        name and its summary, separated by tabs
//   glyphdock-export --json SOURCE...    prints one JSON object per source (export/JsonInventory.h)
//   --group N | --group -ID              before any command but --list and --json: only the N-th
//                                        icon group, or the one whose resource id is ID
// and on Linux only (export/ImageExport.cpp):
//   glyphdock-export --png FOLDER SOURCE...         every image as a PNG file
//   glyphdock-export --thumbnail SIZE SOURCE OUTPUT  the file's own icon as a PNG of at most
//                                                     SIZE x SIZE, for file managers
//
// Exit status: 0 when every source was handled, 1 when any was refused or failed, 2 for wrong
// usage. Failures go to the error stream as "PATH: TEXT".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/EngineMessages.h"
#include "engine/IconSource.h"
#include "export/ExportFailures.h"
#include "export/JsonInventory.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>

#include "export/ImageExport.h"
#endif

namespace {

bool failed = false;
bool reported = false;

void ReportToErrorStream(const char* path, const char* text, const char*, unsigned) {
    std::fprintf(stderr, "%s: %s\n", path, text);
    failed = reported = true;
}

constexpr const char* UsageText =
    "usage: glyphdock-export [--group N|-ID] FOLDER SOURCE...\n"
    "       glyphdock-export --list SOURCE\n"
    "       glyphdock-export --json SOURCE...\n"
#ifndef _WIN32
    "       glyphdock-export [--group N|-ID] --png FOLDER SOURCE...\n"
    "       glyphdock-export [--group N|-ID] --thumbnail SIZE SOURCE OUTPUT\n"
#endif
    "       glyphdock-export --help | --version\n";

int Usage() {
    std::fputs(UsageText, stderr);
    return 2;
}

// Messages name sources and folders by their full paths, whatever the current folder was.
std::string FullPath(const char* path) {
#ifdef _WIN32
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full) : std::string(path);
#else
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? std::string(path) : full.lexically_normal().string();
#endif
}

void List(const std::string& source) {
    if (!PathExists(source.c_str())) return Fail(source, "No such file");
    bool everyGroupRead = true;
    const bool listed =
        ListIconGroups(source.c_str(), [&](int index, const std::string& name, const std::string& summary) {
            std::printf("%d\t%s\t%s\n", index, name.c_str(), summary.c_str());
            if (summary.empty()) everyGroupRead = false;
        });
    if (!listed)
        Fail(source, "No icon groups could be read");
    else if (!everyGroupRead)
        Fail(source, "Not every icon group could be read");
}

void ExportAll(const char* folderArgument, char** sources, int count, const GroupChoice& choice) {
    ForEachSource(folderArgument, sources, count, [&](const std::string& source, const std::string& folder) {
        if (choice.given) {
            const SourceReading reading(source.c_str());
            const int index = ChosenGroup(choice, reading, source, 0);
            if (index < 0) return true;
            const GroupExport exported = ExportIconGroup(
                source.c_str(), index, GroupFileName(folder.c_str(), SourceDisplayName(source.c_str()), index).c_str());
            if (exported == GroupExport::Unread) Fail(source, "The icon group could not be exported");
            return exported != GroupExport::FolderRefused;
        }
        const ExportTally tally = ExportAllIconGroups(source.c_str(), folder.c_str());
        if (!tally) Fail(source, "Not every icon group could be exported");
        return !tally.stopped;
    });
}

// "--group N" or "--group -ID" anywhere before the sources, taken out of the arguments. False
// for a value that is not a whole number from 0 (or 1 for an id) to 65535.
bool TakeGroupChoice(int& argc, char** argv, GroupChoice& choice) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--group") != 0) continue;
        if (i + 1 >= argc || choice.given) return false;
        const char* value = argv[i + 1];
        choice.given = true;
        choice.byId = value[0] == '-';
        char* end = nullptr;
        const char* digits = value + (choice.byId ? 1 : 0);
        const unsigned long number = std::strtoul(digits, &end, 10);
        if (!*digits || *digits == '-' || *digits == '+' || *end || number > 65535 || (choice.byId && number == 0))
            return false;
        choice.value = static_cast<unsigned>(number);
        for (int k = i; k + 2 < argc; ++k)
            argv[k] = argv[k + 2];
        argc -= 2;
        --i;
    }
    return true;
}

}  // namespace

// A failure the engine keeps silent about (nothing readable, a group refused): said once.
void Fail(const std::string& path, const char* text) {
    if (!reported) std::fprintf(stderr, "%s: %s\n", path.c_str(), text);
    failed = true;
}

void StartSource() {
    reported = false;
}

std::string SourcePath(const char* argument) {
    return FullPath(argument);
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

void ForEachSource(const char* folderArgument, char** sources, int count,
                   const std::function<bool(const std::string& source, const std::string& folder)>& work) {
    std::string folder;
    if (!OutputFolder(folderArgument, folder)) return;
    for (int i = 0; i < count; ++i) {
        const std::string source = SourcePath(sources[i]);
        StartSource();
        if (!PathExists(source.c_str()))
            Fail(source, "No such file");
        else if (!work(source, folder))
            return;
    }
}

bool OutputFolder(const char* argument, std::string& folder) {
#ifdef _WIN32
    // The folder with its trailing backslash must fit in a path buffer; a cut folder would be
    // another folder, and the names would be glued onto it.
    const std::string full = FullPath(argument);
    if (full.size() + (!EndsWithBackslash(full.c_str()) ? 1 : 0) > static_cast<size_t>(MaxPathLength)) {
        Fail(argument, "Folder name too long");
        return false;
    }
    char path[PathBufferSize];
    std::snprintf(path, sizeof path, "%s", full.c_str());
    if (!PathExists(path) && !CreateDirectoryPath(path)) {
        Fail(path, "Cannot create directory");
        return false;
    }
    AppendBackslash(path);
    folder = path;
#else
    folder = FullPath(argument);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        Fail(folder, "Cannot create directory");
        return false;
    }
    if (folder.back() != '/') folder += '/';
#endif
    return true;
}

int main(int argc, char** argv) {
    GroupChoice choice;
    const bool json = argc >= 2 && std::strcmp(argv[1], "--json") == 0;
    if (!json && !TakeGroupChoice(argc, argv, choice)) return Usage();
    const std::string option = argc >= 2 ? argv[1] : "";
    if (argc == 2 && option == "--help") return std::fputs(UsageText, stdout) < 0;
    if (argc == 2 && option == "--version") return std::printf("glyphdock-export %s\n", GLYPHDOCK_VERSION) < 0;
    SetEngineReporter(ReportToErrorStream);
    if (json) {
        if (argc < 3) return Usage();
        return PrintInventories(argv + 2, argc - 2) ? 0 : 1;
    }
#ifndef _WIN32
    if (option == "--png") {
        if (argc < 4) return Usage();
        ExportImages(argv[2], argv + 3, argc - 3, choice);
        return failed ? 1 : 0;
    }
    if (option == "--thumbnail") {
        int size = 0;
        if (argc != 5 || !ThumbnailSize(argv[2], size)) return Usage();
        WriteThumbnail(size, argv[3], argv[4], choice);
        return failed ? 1 : 0;
    }
#endif
    const bool list = option == "--list";
    if (argc < 3 || (list && (argc != 3 || choice.given)) || (!list && option.compare(0, 2, "--") == 0)) return Usage();
    // No window: the engine keeps the group names itself, so no display is needed.
    if (list)
        List(FullPath(argv[2]));
    else
        ExportAll(argv[1], argv + 2, argc - 2, choice);
    std::fflush(stdout);
    return failed ? 1 : 0;
}
