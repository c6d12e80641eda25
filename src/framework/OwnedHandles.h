// Handles of the system owned by one object each: closed when the object goes, on every path.
#pragma once
#include <windows.h>

#include <cstdio>
#include <memory>

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
// A C stream; take it back with release() to check the result of closing it.
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

class UniqueRegKey {
public:
    UniqueRegKey() = default;
    ~UniqueRegKey() {
        if (key) RegCloseKey(key);
    }
    UniqueRegKey(const UniqueRegKey&) = delete;
    UniqueRegKey& operator=(const UniqueRegKey&) = delete;

    // For the functions that open a key into a pointer.
    HKEY* Receive() { return &key; }
    HKEY Get() const { return key; }

private:
    HKEY key = nullptr;
};
