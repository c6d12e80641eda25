// A last-in, first-out stack of paths, each kept in a buffer of its own.
#pragma once
#include <array>
#include <cstddef>
#include <vector>

#include "files/TextFunctions.h"

class PathStack {
public:
    using Path = std::array<char, PathBufferSize>;

    void Push(const char* path);
    // Copies the newest path into output (PathBufferSize bytes) and removes it; false when empty.
    bool Pop(char* output);
    bool IsEmpty() const { return paths.empty(); }
    std::size_t Size() const { return paths.size(); }

private:
    std::vector<Path> paths;
};
