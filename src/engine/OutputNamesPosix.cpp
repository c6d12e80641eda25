// The POSIX side of engine/OutputNames.h: names as the file system has them.
#include "engine/OutputNames.h"

std::string SourceDisplayName(const char* sourcePath) {
    const std::string path = sourcePath;
    const std::string name = path.substr(path.find_last_of('/') + 1);
    return name.substr(0, name.find('.'));
}
