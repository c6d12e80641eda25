// The POSIX side of engine/EngineMessages.h. Linux has no message boxes: "PATH: TEXT" on the
// error stream.
#include <cstdio>

#include "engine/EngineMessages.h"

const unsigned SystemMessageFailure = 0, SystemMessageInformation = 0;

void ShowMessageBox(const char* path, const char* text, const char*, unsigned) {
    std::fprintf(stderr, "%s: %s\n", path, text);
}
