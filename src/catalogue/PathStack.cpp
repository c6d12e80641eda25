#include "catalogue/PathStack.h"

#include <cstring>

void PathStack::Push(const char* path) {
    Path copy{};
    std::strncpy(copy.data(), path, copy.size() - 1);
    paths.push_back(copy);
}

bool PathStack::Pop(char* output) {
    if (paths.empty()) return false;
    std::memcpy(output, paths.back().data(), paths.back().size());
    paths.pop_back();
    return true;
}
