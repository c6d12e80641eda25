#include "engine/OutputNames.h"

#ifdef _WIN32
#include <windows.h>
#include <commdlg.h>
#endif

#include <cstdio>

#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

std::string SourceDisplayName(const char* sourcePath) {
#ifdef _WIN32
    char name[PathBufferSize] = {};
    if (!ShellDisplayName(sourcePath, name) && GetFileTitleA(sourcePath, name, PathBufferSize) != 0) name[0] = '\0';
    CutAtFirstDot(name);
    return name;
#else
    const std::string path = sourcePath;
    const std::string name = path.substr(path.find_last_of('/') + 1);
    return name.substr(0, name.find('.'));
#endif
}

std::string GroupFileName(const char* folder, const std::string& displayName, int index) {
    char number[16];
    std::snprintf(number, sizeof number, "_%.3d", index);
    return std::string(folder) + displayName + number + ".ico";
}
