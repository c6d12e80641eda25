// Handles of the system owned by one object each: closed when the object goes, on every path.
#pragma once
#include <windows.h>

#include <cstdio>
#include <memory>
#include <type_traits>

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

struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// A bitmap made for one use, such as a DIB section.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct MemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

// The screen's device context, released when the object goes.
class ScreenDC {
public:
    ScreenDC() : dc(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc) ReleaseDC(nullptr, dc);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    operator HDC() const { return dc; }

private:
    HDC dc;
};
