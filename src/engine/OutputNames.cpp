#include "engine/OutputNames.h"

#include <cstdio>

std::string GroupFileName(const char* folder, const std::string& displayName, int index) {
    char number[16];
    std::snprintf(number, sizeof number, "_%.3d", index);
    return std::string(folder) + displayName + number + ".ico";
}
