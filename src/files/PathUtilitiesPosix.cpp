// The POSIX side of files/PathUtilities.h, as far as the exporter needs it.
#include <sys/stat.h>

#include "files/PathUtilities.h"

bool PathExists(const char* path) {
    struct stat facts {};
    return path && path[0] && stat(path, &facts) == 0;
}
