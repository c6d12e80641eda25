// The Windows side of engine/IconPicture.h: the system picks the image it would draw.
#include <windows.h>

#include <cstring>
#include <string>
#include <unordered_map>

#include "engine/IconPicture.h"
#include "engine/IconRecord.h"

int SystemIconChoice(const unsigned char* entries, size_t entryBytes, uint16_t count, int size, int depth) {
    // The system reads as many entries as the header counts, so it gets a copy of the checked
    // ones, in the resource form, each numbered by its position to map the answer back.
    std::vector<BYTE> copy(GroupHeaderBytes + GroupEntryBytes * size_t{count});
    copy[2] = 1;  // icons
    copy[4] = static_cast<BYTE>(count & 0xFF);
    copy[5] = static_cast<BYTE>(count >> 8);
    for (size_t k = 0; k < count; ++k) {
        BYTE* entry = copy.data() + GroupHeaderBytes + GroupEntryBytes * k;
        std::memcpy(entry, entries + entryBytes * k, GroupEntryBytes - 2);
        entry[12] = static_cast<BYTE>((k + 1) & 0xFF);
        entry[13] = static_cast<BYTE>((k + 1) >> 8);
    }
    // Asking costs a screen context each time; a library's groups mostly share a few lists of
    // sizes and depths, so each list is asked once (keyed with the screen's depth, which the
    // system reads too).
    thread_local std::unordered_map<std::string, int> asked;
    std::string key(reinterpret_cast<const char*>(copy.data()), copy.size());
    key += static_cast<char>(size);
    key += static_cast<char>(depth);
    auto known = asked.find(key);
    if (known == asked.end()) {
        if (asked.size() >= 1024) asked.clear();
        const int answer = LookupIconIdFromDirectoryEx(copy.data(), TRUE, size, size, LR_DEFAULTCOLOR);
        known = asked.emplace(std::move(key), answer).first;
    }
    const int id = known->second;
    return id >= 1 && id <= count ? id - 1 : -1;
}
