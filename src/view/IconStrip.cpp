#include "view/IconStrip.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/CImageList.h"
#include "framework/GdiObjects.h"
#include "pictures/IconPictures.h"

namespace {

constexpr int StripIcons = 4096;  // 32-pixel images per strip: one ImageList_Add, and one growth of the list, each

void BlankPicture(IconPicture& picture) {
    FitPicture(picture);
    std::fill(picture.mask.begin(), picture.mask.end(), uint8_t{1});
}

// The colour table of an 8-bit image list, read from its bitmap; false when the list holds no
// image yet or is not 8-bit.
bool ListColourTable(HIMAGELIST list, RGBQUAD (&table)[256]) {
    IMAGEINFO info{};
    DIBSECTION section{};
    if (ImageList_GetImageCount(list) == 0 || !ImageList_GetImageInfo(list, 0, &info) || !info.hbmImage ||
        GetObjectA(info.hbmImage, sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 8)
        return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } format{};
    format.header = section.dsBmih;
    format.header.biClrUsed = 0;
    const bool read = GetDIBits(ScreenDC(), info.hbmImage, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&format),
                                DIB_RGB_COLORS) != 0;
    std::memcpy(table, format.colours, sizeof table);
    return read;
}

// The colour-table index the system's 32-to-8-bit conversion gives a colour: it keeps 5 bits of
// each channel and takes the nearest entry, the first of equals. Done here once per colour,
// instead of once per pixel for every image the list takes.
class ColourReduction {
public:
    explicit ColourReduction(const RGBQUAD (&colours)[256]) : lookup(32768, -1) {
        std::memcpy(table, colours, sizeof table);
    }
    uint8_t Index(uint32_t pixel) {
        const int r = (pixel >> 16) & 0xF8, g = (pixel >> 8) & 0xF8, b = pixel & 0xF8;
        int16_t& known = lookup[static_cast<size_t>(r << 7 | g << 2 | b >> 3)];
        if (known < 0) known = Nearest(r + 4, g + 4, b + 4);
        return static_cast<uint8_t>(known);
    }

private:
    int16_t Nearest(int r, int g, int b) const {
        int16_t best = 0;
        unsigned bestDistance = ~0u;
        for (int16_t i = 0; i < 256; ++i) {
            const int dr = r - table[i].rgbRed, dg = g - table[i].rgbGreen, db = b - table[i].rgbBlue;
            const unsigned distance = static_cast<unsigned>(dr * dr + dg * dg + db * db);
            if (distance == 0) return i;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    }

    RGBQUAD table[256];
    std::vector<int16_t> lookup;
};

// Adds the pictures of icons first to first + n - 1, `side` pixels square, as one strip: 32-bit
// colour, or with `reduction` 8-bit colour in the list's own table, which the list then copies as
// it is.
bool AddStrip(HIMAGELIST list, const SourceReading& reading, int first, int n, int side, int depth,
              ColourReduction* reduction, const RGBQUAD* table) {
    const int width = n * side;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } format{};
    format.header.biSize = sizeof format.header;
    format.header.biWidth = width;
    format.header.biHeight = -side;
    format.header.biPlanes = 1;
    format.header.biBitCount = reduction ? 8 : 32;
    if (reduction) {
        format.header.biClrUsed = 256;
        std::memcpy(format.colours, table, sizeof format.colours);
    }
    void* bits = nullptr;
    const CBitmap colour(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || !bits) return false;
    MaskBits maskBits(width, side);
    IconPicture picture;
    picture.size = side;
    for (int k = 0; k < n; ++k) {
        if (!SourceIconPicture(reading, first + k, depth, picture)) BlankPicture(picture);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const int column = k * side + x;
                const size_t at = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(column);
                const size_t p = static_cast<size_t>(y) * static_cast<size_t>(side) + static_cast<size_t>(x);
                const uint32_t pixel = picture.colour[p];
                if (reduction)
                    static_cast<uint8_t*>(bits)[at] = reduction->Index(pixel);
                else
                    static_cast<uint32_t*>(bits)[at] = pixel;
                if (picture.mask[p]) maskBits.Set(column, y);
            }
    }
    GdiFlush();
    const CBitmap mask = maskBits.Bitmap();
    return mask && ImageList_Add(list, colour, mask) >= 0;
}

}  // namespace

int AppendSourceIcons(CImageList& list, const SourceReading& reading, int count) {
    const int depth = ScreenBitsPerPixel();
    int side = PictureSize, height = PictureSize;
    if (!ImageList_GetIconSize(list.GetSafeHandle(), &side, &height) || side != height || side < 1 ||
        side > MaxPictureSize)
        return 0;
    // Strips of larger pictures hold fewer, so that a strip's bitmap stays as large as at 32 pixels.
    const int perStrip = std::max(1, StripIcons * PictureSize / side);
    int added = 0;
    std::unique_ptr<ColourReduction> reduction;
    RGBQUAD table[256];
    while (added < count) {
        // An 8-bit list takes strips in its own colours: it copies them without converting each
        // pixel. Its colours are known once it holds an image.
        if (!reduction && ListColourTable(list.GetSafeHandle(), table))
            reduction = std::make_unique<ColourReduction>(table);
        const int n = reduction || list.GetImageCount() > 0 ? std::min(perStrip, count - added) : 1;
        if (!AddStrip(list.GetSafeHandle(), reading, added, n, side, depth, reduction.get(), table)) break;
        added += n;
    }
    return added;
}
