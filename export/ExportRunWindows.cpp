// The Windows side of export/ExportRun.h: paths within the system's length limit.
#include <windows.h>

#include <cstdio>

#include "export/ExportRun.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

std::string SourcePath(const std::string& argument) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(argument.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full) : argument;
}

bool OutputFolder(const std::string& argument, std::string& folder) {
    // The folder with its trailing backslash must fit in a path buffer; a cut folder would be
    // another folder, and the names would be glued onto it.
    const std::string full = SourcePath(argument);
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
    return true;
}
