// The Windows side of engine/OutputNames.h: names as the shell shows them.
#include <windows.h>
#include <commdlg.h>

#include "engine/OutputNames.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

std::string SourceDisplayName(const char* sourcePath) {
    char name[PathBufferSize] = {};
    if (!ShellDisplayName(sourcePath, name) && GetFileTitleA(sourcePath, name, PathBufferSize) != 0) name[0] = '\0';
    CutAtFirstDot(name);
    return name;
}
