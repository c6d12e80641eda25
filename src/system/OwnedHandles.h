// Handles of the system owned by one object each: given back when the object goes, on every path,
// also when the code between throws. Every handle the program opens is held by one of these.
#pragma once
#include <windows.h>

#include <cstdio>

// One owner for every kind of handle. `Traits` names the handle's type, the value that stands for
// no handle (null for most, INVALID_HANDLE_VALUE for files and searches) and how it is given back.
template <typename Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle taken) : handle(taken) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle; }
    explicit operator bool() const { return handle != Traits::None(); }
    // Gives the handle up: to one who takes it over (the clipboard), or to check the result of
    // closing it, where a failed close loses data.
    Handle release() {
        const Handle given = handle;
        handle = Traits::None();
        return given;
    }
    void reset(Handle taken = Traits::None()) {
        if (*this) Traits::Close(handle);
        handle = taken;
    }
    // For the functions that open a handle into a pointer.
    Handle* Receive() {
        reset();
        return &handle;
    }

private:
    Handle handle = Traits::None();
};

// The handles that are null when none, given back by `close`.
template <typename Type, auto close>
struct NullIsNone {
    using Handle = Type;
    static Handle None() { return nullptr; }
    static void Close(Handle handle) { close(handle); }
};

// Files and searches answer INVALID_HANDLE_VALUE, not null, when they cannot be opened.
template <auto close>
struct InvalidIsNone {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { close(handle); }
};

inline void CloseStream(FILE* file) {
    std::fclose(file);
}
// A C stream; take it back with release() to check the result of closing it.
using UniqueFile = Owned<NullIsNone<FILE*, CloseStream>>;
using UniqueFileHandle = Owned<InvalidIsNone<CloseHandle>>;
// A search of a folder's names, from FindFirstFile.
using UniqueFind = Owned<InvalidIsNone<FindClose>>;
// Events and the other objects of the kernel that answer null when they cannot be made.
using UniqueKernelHandle = Owned<NullIsNone<HANDLE, CloseHandle>>;
using UniqueRegKey = Owned<NullIsNone<HKEY, RegCloseKey>>;
// Memory the system allocated for the caller to free with LocalFree (CommandLineToArgvW's list).
template <typename Pointer>
using UniqueLocal = Owned<NullIsNone<Pointer, LocalFree>>;
using UniqueIcon = Owned<NullIsNone<HICON, DestroyIcon>>;
// Brushes, pens, fonts and bitmaps: the framework's CBrush, CPen, CFont and CBitmap hold theirs
// in this.
template <typename Type>
using UniqueGdiObject = Owned<NullIsNone<Type, DeleteObject>>;
using UniqueMemoryDC = Owned<NullIsNone<HDC, DeleteDC>>;

// A window's device context (the screen's for no window), released when the object goes.
class WindowDC {
public:
    explicit WindowDC(HWND window_) : window(window_), dc(GetDC(window_)) {}
    ~WindowDC() {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc; }

private:
    HWND window;
    HDC dc;
};

class ScreenDC : public WindowDC {
public:
    ScreenDC() : WindowDC(nullptr) {}
};

// The device context of a WM_PAINT, which ends the paint when the object goes.
class PaintDC {
public:
    explicit PaintDC(HWND window_) : window(window_), dc(BeginPaint(window_, &paint)) {}
    ~PaintDC() { EndPaint(window, &paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

// A drawing object selected into a device context; the previous object is put back on every path.
class ScopedSelection {
public:
    ScopedSelection(HDC dc_, HGDIOBJ object) : dc(dc_), previous(SelectObject(dc_, object)) {}
    ~ScopedSelection() {
        if (previous) SelectObject(dc, previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    bool Selected() const { return previous != nullptr; }

private:
    HDC dc;
    HGDIOBJ previous;
};
