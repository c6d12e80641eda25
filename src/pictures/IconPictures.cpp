#include "pictures/IconPictures.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads a bitmap as 32-bit pixels, rows top-down.
bool ReadPixels(HDC dc, HBITMAP bitmap, int width, int height, uint32_t* pixels) {
    BITMAPINFO format = TopDownFormat(width, height);
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels, &format, DIB_RGB_COLORS) == height;
}

// The system's icon of an image it reads itself, from a copy padded to what it reads.
bool SystemPicture(ByteSpan image, IconPicture& picture) {
    const uint64_t size = SystemImageBytes(image);
    if (size == 0 || size > 64 * 1024 * 1024) return false;
    std::vector<BYTE> copy(static_cast<size_t>(size), 0);
    std::memcpy(copy.data(), image.Data(), std::min<size_t>(image.Size(), copy.size()));
    const UniqueIcon icon(CreateIconFromResourceEx(copy.data(), static_cast<DWORD>(copy.size()), TRUE, 0x00030000,
                                                   PictureSide(picture), PictureSide(picture), LR_DEFAULTCOLOR));
    return PictureOfIcon(icon.get(), picture);
}

}  // namespace

int LargeIconSide() {
    return GetSystemMetrics(SM_CXICON);
}

int SmallIconSide() {
    return GetSystemMetrics(SM_CXSMICON);
}

int ScreenBitsPerPixel() {
    const ScreenDC screen;
    return screen ? GetDeviceCaps(screen, BITSPIXEL) : 0;
}

BITMAPINFO TopDownFormat(int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    return format;
}

MaskBits::MaskBits(int bitmapWidth, int bitmapHeight)
    : width(bitmapWidth),
      height(bitmapHeight),
      row(static_cast<size_t>((bitmapWidth + 15) / 16 * 2)),
      bits(row * static_cast<size_t>(bitmapHeight), 0) {}

CBitmap MaskBits::Bitmap() const {
    return CBitmap(CreateBitmap(width, height, 1, 1, bits.data()));
}

bool PictureOfIcon(HICON icon, IconPicture& picture) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    const CBitmap colour(info.hbmColor), monochrome(info.hbmMask);
    const ScreenDC screen;
    bool read = false;
    FitPicture(picture);
    const int size = PictureSide(picture), pixels = size * size;
    std::vector<uint32_t> mask(2 * static_cast<size_t>(pixels));
    if (info.hbmColor) {
        read = ReadPixels(screen, info.hbmColor, size, size, picture.colour.data()) &&
               ReadPixels(screen, info.hbmMask, size, size, mask.data());
    } else if (ReadPixels(screen, info.hbmMask, size, 2 * size, mask.data())) {
        // A monochrome icon: the AND mask above the XOR bits in one bitmap.
        for (int p = 0; p < pixels; ++p)
            picture.colour[p] = mask[static_cast<size_t>(pixels + p)] & 0xFFFFFF;
        read = true;
    }
    for (int p = 0; p < pixels; ++p)
        picture.mask[p] = (mask[p] & 0xFFFFFF) ? 1 : 0;
    return read;
}

HICON IconOfPicture(const IconPicture& picture) {
    const int size = PictureSide(picture);
    const size_t pixels = static_cast<size_t>(size) * static_cast<size_t>(size);
    if (picture.colour.size() < pixels || picture.mask.size() < pixels) return nullptr;
    const BITMAPINFO format = TopDownFormat(size, size);
    void* bits = nullptr;
    const CBitmap colour(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    MaskBits maskBits(size, size);
    for (int p = 0; p < size * size; ++p)
        if (picture.mask[p]) maskBits.Set(p % size, p / size);
    const CBitmap mask = maskBits.Bitmap();
    if (!colour || !bits || !mask) return nullptr;
    std::memcpy(bits, picture.colour.data(), sizeof(uint32_t) * pixels);
    GdiFlush();
    ICONINFO info{TRUE, 0, 0, mask, colour};
    return CreateIconIndirect(&info);
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
