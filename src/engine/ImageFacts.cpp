#include "engine/ImageFacts.h"

#include "engine/IconRecord.h"

namespace {

constexpr uint32_t CoreHeaderSize = 12;

int PngChannels(unsigned char colourType) {
    switch (colourType) {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette indices
    case 4: return 2;  // grey and alpha
    case 6: return 4;  // RGBA
    default: return 0;
    }
}

}  // namespace

bool IconImageFacts(ByteSpan image, ImageFacts& facts) {
    facts = ImageFacts();
    if (IsPngImage(image)) {
        // IHDR: width, height, then bit depth and colour type.
        uint32_t width = 0, height = 0;
        if (!PngSize(image, width, height)) return false;
        const unsigned char* p = image.Data();
        const int channels = PngChannels(p[25]);
        if (channels == 0) return false;
        facts.width = static_cast<int>(width);
        facts.height = static_cast<int>(height);
        facts.bitsPerPixel = p[24] * channels;
        facts.png = true;
        return true;
    }
    uint32_t headerSize = 0;
    if (!image.U32(0, headerSize) || (headerSize != CoreHeaderSize && headerSize < BitmapHeaderSize) ||
        !image.Holds(0, headerSize))
        return false;
    const unsigned char* p = image.Data();
    int64_t width = 0, height = 0;
    uint16_t planes = 0, bitCount = 0;
    if (headerSize == CoreHeaderSize) {
        width = LittleU16(p + 4);
        height = LittleU16(p + 6);
        planes = LittleU16(p + 8);
        bitCount = LittleU16(p + 10);
    } else {
        width = static_cast<int32_t>(LittleU32(p + 4));
        height = static_cast<int32_t>(LittleU32(p + 8));
        planes = LittleU16(p + 12);
        bitCount = LittleU16(p + 14);
    }
    // The header's height counts the AND mask below the colour bitmap.
    if (width <= 0 || height < 2) return false;
    facts.width = static_cast<int>(width);
    facts.height = static_cast<int>(height / 2);
    const uint32_t bits = uint32_t{planes} * bitCount;
    facts.bitsPerPixel = static_cast<int>(bits > 0xFFFF ? 0xFFFF : bits);
    return true;
}
