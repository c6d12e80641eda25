// The POSIX side of engine/SourceReading.h: no system to ask for languages, and no Windows folder.
#include "engine/SourceReading.h"

const std::vector<uint16_t>& ResourceLanguages() {
    static const std::vector<uint16_t> languages = {0x0000, 0x0409};  // neutral, English (United States)
    return languages;
}

std::string SystemResourcesTwin(const char*) {
    return {};
}
