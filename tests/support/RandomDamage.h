// Seeded random damage to file and resource bytes, shared by the hostile-input suites and the
// fuzz target's seeds, so that every suite damages bytes the same reproducible way.
#pragma once
#include <algorithm>
#include <random>
#include <string>

// 1 to 4 bytes replaced, half of the time by a value that matters to a parser (0, 1, sign and
// size boundaries, resource type numbers). Half of the changes land in the first `hot` bytes,
// where the headers and tables are.
inline std::string ChangeBytes(std::string bytes, std::mt19937& random, size_t hot = std::string::npos) {
    static const unsigned char interesting[] = {0, 1, 0x7F, 0x80, 0xFF, 0x10, 0x20, 0x0E, 0x03};
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes && !bytes.empty(); ++i) {
        const size_t range = random() % 2 ? std::min(hot, bytes.size()) : bytes.size();
        const size_t at = random() % range;
        bytes[at] = static_cast<char>(random() % 2 ? interesting[random() % sizeof interesting] : random() % 256);
    }
    return bytes;
}

// Cut at a random length a third of the time; changed as above otherwise.
inline std::string CutOrChangeBytes(const std::string& bytes, std::mt19937& random, size_t hot = std::string::npos) {
    if (!bytes.empty() && random() % 3 == 0) return bytes.substr(0, random() % bytes.size());
    return ChangeBytes(bytes, random, hot);
}

// A copy of a module damaged inside its resources, the `size` bytes at `start`: cut inside
// them, or with bytes changed, half of the changes in their directories (the first 0x400 bytes).
inline std::string DamagedModuleCopy(const std::string& module, size_t start, size_t size, std::mt19937& random) {
    const std::string resources = CutOrChangeBytes(module.substr(start, size), random, 0x400);
    const std::string rest = resources.size() == size ? module.substr(start + size) : std::string();
    return module.substr(0, start) + resources + rest;
}
