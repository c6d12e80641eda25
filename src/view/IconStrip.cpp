#include "view/IconStrip.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "files/PathUtilities.h"
#include "framework/CImageList.h"

namespace {

constexpr int StripIcons = 1024;  // images per strip: one ImageList_Add each

void BlankPicture(IconPicture& picture) {
    std::fill(std::begin(picture.colour), std::end(picture.colour), 0u);
    std::fill(std::begin(picture.mask), std::end(picture.mask), uint8_t{1});
}

// Reads a bitmap as 32-bit pixels, rows top-down.
bool ReadPixels(HDC dc, HBITMAP bitmap, int height, uint32_t* pixels) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = PictureSize;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels, &format, DIB_RGB_COLORS) == height;
}

// The system's icon of an image it reads itself, from a copy padded to what it reads.
bool SystemPicture(ByteSpan image, IconPicture& picture) {
    const uint64_t size = SystemImageBytes(image);
    if (size == 0 || size > 64 * 1024 * 1024) return false;
    std::vector<BYTE> copy(static_cast<size_t>(size), 0);
    std::memcpy(copy.data(), image.Data(), std::min<size_t>(image.Size(), copy.size()));
    HICON icon = CreateIconFromResourceEx(copy.data(), static_cast<DWORD>(copy.size()), TRUE, 0x00030000, PictureSize,
                                          PictureSize, LR_DEFAULTCOLOR);
    const bool made = PictureOfIcon(icon, picture);
    if (icon) DestroyIcon(icon);
    return made;
}

}  // namespace

bool PictureOfIcon(HICON icon, IconPicture& picture) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    HDC screen = GetDC(nullptr);
    bool read = false;
    std::vector<uint32_t> mask(2 * PictureSize * PictureSize);
    if (info.hbmColor) {
        read = ReadPixels(screen, info.hbmColor, PictureSize, picture.colour) &&
               ReadPixels(screen, info.hbmMask, PictureSize, mask.data());
    } else if (ReadPixels(screen, info.hbmMask, 2 * PictureSize, mask.data())) {
        // A monochrome icon: the AND mask above the XOR bits in one bitmap.
        for (int p = 0; p < PictureSize * PictureSize; ++p)
            picture.colour[p] = mask[PictureSize * PictureSize + p] & 0xFFFFFF;
        read = true;
    }
    for (int p = 0; p < PictureSize * PictureSize; ++p)
        picture.mask[p] = (mask[p] & 0xFFFFFF) ? 1 : 0;
    ReleaseDC(nullptr, screen);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return read;
}

bool SourceIconPicture(const SourceReading& reading, int i, int depth, IconPicture& picture) {
    ByteSpan image;
    switch (reading.Picture(i, depth, picture, image)) {
    case GroupPicture::Decoded: return true;
    case GroupPicture::System: return SystemPicture(image, picture);
    case GroupPicture::Blank: break;
    }
    return false;
}

int AppendSourceIcons(CImageList& list, const SourceReading& reading, int count) {
    const int depth = ScreenBitsPerPixel();
    int added = 0;
    IconPicture picture;
    for (int first = 0; first < count; first += StripIcons) {
        const int n = std::min(StripIcons, count - first);
        const int width = n * PictureSize;
        // The colour as a top-down 32-bit bitmap; the mask as a monochrome bitmap, whose rows
        // the system wants in whole 16-bit words.
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -PictureSize;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP colour = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!colour || !bits) {
            if (colour) DeleteObject(colour);
            break;
        }
        const size_t maskRow = static_cast<size_t>((width + 15) / 16 * 2);
        std::vector<BYTE> maskBits(maskRow * PictureSize, 0);
        auto* pixels = static_cast<uint32_t*>(bits);
        for (int k = 0; k < n; ++k) {
            if (!SourceIconPicture(reading, first + k, depth, picture)) BlankPicture(picture);
            for (int y = 0; y < PictureSize; ++y)
                for (int x = 0; x < PictureSize; ++x) {
                    const int column = k * PictureSize + x;
                    pixels[static_cast<size_t>(y) * width + column] = picture.colour[y * PictureSize + x];
                    if (picture.mask[y * PictureSize + x])
                        maskBits[maskRow * y + column / 8] |= static_cast<BYTE>(0x80 >> (column % 8));
                }
        }
        GdiFlush();
        HBITMAP mask = CreateBitmap(width, PictureSize, 1, 1, maskBits.data());
        const int index = mask ? ImageList_Add(list.GetSafeHandle(), colour, mask) : -1;
        DeleteObject(colour);
        if (mask) DeleteObject(mask);
        if (index < 0) break;
        added += n;
    }
    return added;
}
