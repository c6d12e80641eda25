// Icons as the system draws them, in and out of the engine's pictures (colour and mask apart), at
// the system's icon sizes and the screen's depth. The icon view and the catalogue's looks both
// make their pictures here.
#pragma once
#include <windows.h>

#include <vector>

#include "engine/IconPicture.h"
#include "engine/SourceReading.h"
#include "framework/GdiObjects.h"

// The sides of the icon view's pictures and of the catalogue's small icons: the system's icon
// sizes, which follow the screen's DPI (32 and 16 at 96 DPI, 48 and 24 at 144).
int LargeIconSide();
int SmallIconSide();

// Colour depth of the screen, in bits per pixel.
int ScreenBitsPerPixel();

// A 32-bit bitmap of width x height, rows top-down.
BITMAPINFO TopDownFormat(int width, int height);

// The bits of a monochrome mask bitmap, whose rows the system wants in whole 16-bit words.
class MaskBits {
public:
    MaskBits(int bitmapWidth, int bitmapHeight);
    void Set(int x, int y) { bits[row * static_cast<size_t>(y) + static_cast<size_t>(x / 8)] |= BYTE(0x80 >> (x % 8)); }
    CBitmap Bitmap() const;

private:
    int width, height;
    size_t row;
    std::vector<BYTE> bits;
};

// The picture of icon i at picture.size as the shell's icon extraction would make it: decoded
// from the chosen image, or made by the system from its checked bytes. False for a blank
// placeholder: the group or its image cannot be read.
bool SourceIconPicture(const SourceReading& reading, int i, int depth, IconPicture& picture);

// The colour and mask of an icon drawn at picture.size into a 32-bit bitmap. False for no icon.
bool PictureOfIcon(HICON icon, IconPicture& picture);

// An icon of the picture's size, colour and mask, for the caller to destroy; nullptr when the
// system makes none.
HICON IconOfPicture(const IconPicture& picture);
