// A 32-bit memory drawing surface for rendering tests: owner-drawn items are drawn into it
// through the real handlers, and the pixels are read back as COLORREFs.
#pragma once
#include <windows.h>

#include <set>

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc; }
    COLORREF Pixel(int x, int y) const;
    // The distinct colours of the pixels in [left, right) x [top, bottom).
    std::set<COLORREF> Colours(int left, int top, int right, int bottom) const;

private:
    int width;
    int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    const DWORD* bits = nullptr;
};
