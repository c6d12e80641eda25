// What the exporter's commands share: failures said on the error stream, the exit status, and
// the paths of sources and output folders.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/SourceReading.h"
#include "export/ExportOptions.h"

// Sends the engine's failures to the error stream as "PATH: TEXT", each making the status 1.
void ReportFailuresToErrorStream();
// Says "PATH: TEXT" unless the engine has spoken about this source already; the exit status
// becomes 1 either way.
void Fail(const std::string& path, const char* text);
// A new source: the engine has said nothing about it yet.
void StartSource();
// 1 when anything failed, else 0.
int ExitStatus();
// The full path of a source given on the command line, with which messages name it whatever the
// current folder was (ExportRunWindows.cpp, ExportRunPosix.cpp).
std::string SourcePath(const std::string& argument);
// The full path of the output folder, created when missing, with its trailing separator.
// False, having said why, when it cannot be made.
bool OutputFolder(const std::string& argument, std::string& folder);
// Makes the output folder, then hands `work` each source that exists, by its full path, with
// the folder; a missing source is said and skipped. Work answers false when the folder refused
// a file: the failure, said once, would only repeat for the sources left, which are not tried.
void ForEachSource(const std::string& folderArgument, const std::vector<std::string>& sources,
                   const std::function<bool(const std::string& source, const std::string& folder)>& work);
// The index of the chosen group of the reading (`fallback` when none was chosen), or -1, said
// as a failure of the source, when the source has no such group.
int ChosenGroup(const GroupChoice& choice, const SourceReading& reading, const std::string& source, int fallback);
