// What the exporter's commands share: failures said on the error stream, the exit status, and
// the paths of sources and output folders.
#pragma once
#include <functional>
#include <string>

#include "engine/SourceReading.h"

// Says "PATH: TEXT" unless the engine has spoken about this source already; the exit status
// becomes 1 either way.
void Fail(const std::string& path, const char* text);
// A new source: the engine has said nothing about it yet.
void StartSource();
// The full path of a source given on the command line.
std::string SourcePath(const char* argument);
// The full path of the output folder, created when missing, with its trailing separator.
// False, having said why, when it cannot be made.
bool OutputFolder(const char* argument, std::string& folder);
// Makes the output folder, then hands `work` each source that exists, by its full path, with
// the folder; a missing source is said and skipped. Work answers false when the folder refused
// a file: the failure, said once, would only repeat for the sources left, which are not tried.
void ForEachSource(const char* folderArgument, char** sources, int count,
                   const std::function<bool(const std::string& source, const std::string& folder)>& work);

// --group N (the N-th icon group) or --group -ID (the group whose resource id is ID, as the
// icon location "file,-ID" means it).
struct GroupChoice {
    bool given = false;
    bool byId = false;
    unsigned value = 0;
};
// The index of the chosen group of the reading (`fallback` when none was chosen), or -1, said
// as a failure of the source, when the source has no such group.
int ChosenGroup(const GroupChoice& choice, const SourceReading& reading, const std::string& source, int fallback);
