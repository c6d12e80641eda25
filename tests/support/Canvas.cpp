#include "support/Canvas.h"

Canvas::Canvas(int width_, int height_, COLORREF fill) : width(width_), height(height_) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<const DWORD*>(memory);
    previous = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

COLORREF Canvas::Pixel(int x, int y) const {
    GdiFlush();
    if (!bits || x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    DWORD bgr = bits[y * width + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

std::set<COLORREF> Canvas::Colours(int left, int top, int right, int bottom) const {
    std::set<COLORREF> colours;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            colours.insert(Pixel(x, y));
    return colours;
}
