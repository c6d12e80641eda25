#include "engine/BitmapDecoder.h"

#include <bit>

#include "engine/IconRecord.h"

namespace {

constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t BitFields = 3;
constexpr uint64_t BitFieldsEnd = BitmapHeaderSize + 12;  // the three masks follow a 40-byte header

struct Field {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

// False for a mask whose bits are not one run.
bool FieldOf(uint32_t mask, Field& field) {
    field = Field{mask, 0, 0};
    if (!mask) return true;
    field.shift = std::countr_zero(mask);
    field.bits = std::countr_one(mask >> field.shift);
    return (uint64_t{mask} >> field.shift >> field.bits) == 0;
}

// The field's value widened or narrowed to 8 bits, repeating its bits (5-bit 31 is 255).
unsigned Channel(uint32_t pixel, const Field& field) {
    if (!field.bits) return 0;
    const uint32_t value = (pixel & field.mask) >> field.shift;
    if (field.bits >= 8) return value >> (field.bits - 8);
    unsigned widened = value << (8 - field.bits);
    for (int have = field.bits; have < 8; have *= 2)
        widened |= widened >> have;
    return widened & 0xFF;
}

}  // namespace

ImageDecode DecodeBitmapImage(ByteSpan image, RgbaImage& decoded) {
    decoded = RgbaImage();
    uint32_t headerSize = 0;
    if (!image.U32(0, headerSize)) return ImageDecode::Damaged;
    if (headerSize != CoreHeaderSize && headerSize < BitmapHeaderSize) return ImageDecode::Unsupported;
    if (!image.Holds(0, headerSize)) return ImageDecode::Damaged;
    const unsigned char* bytes = image.Data();
    const bool core = headerSize == CoreHeaderSize;
    const int64_t width = core ? LittleU16(bytes + 4) : static_cast<int32_t>(LittleU32(bytes + 4));
    const int64_t height = (core ? LittleU16(bytes + 6) : static_cast<int32_t>(LittleU32(bytes + 8))) / 2;
    const uint16_t planes = LittleU16(bytes + (core ? 8 : 12));
    const uint16_t bitCount = LittleU16(bytes + (core ? 10 : 14));
    const uint32_t compression = core ? 0 : LittleU32(bytes + 16);
    const uint32_t coloursUsed = core ? 0 : LittleU32(bytes + 32);
    if (width <= 0 || height <= 0) return ImageDecode::Damaged;
    if (planes != 1) return ImageDecode::Unsupported;
    if (bitCount != 1 && bitCount != 2 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return ImageDecode::Unsupported;
    const bool bitFields = compression == BitFields && (bitCount == 16 || bitCount == 32);
    if (compression != 0 && !bitFields) return ImageDecode::Unsupported;
    if (width > LargestDecodedSide || height > LargestDecodedSide) return ImageDecode::TooLarge;
    if (coloursUsed > 256) return ImageDecode::Damaged;

    Field red, green, blue;
    uint64_t tableStart = headerSize;
    if (bitFields) {
        if (!image.Holds(0, BitFieldsEnd)) return ImageDecode::Damaged;
        if (tableStart < BitFieldsEnd) tableStart = BitFieldsEnd;
        if (!FieldOf(LittleU32(bytes + 40), red) || !FieldOf(LittleU32(bytes + 44), green) ||
            !FieldOf(LittleU32(bytes + 48), blue))
            return ImageDecode::Unsupported;
    } else if (bitCount == 16) {
        red = {0x7C00, 10, 5}, green = {0x03E0, 5, 5}, blue = {0x001F, 0, 5};
    } else {
        red = {0xFF0000, 16, 8}, green = {0x00FF00, 8, 8}, blue = {0x0000FF, 0, 8};
    }
    // A 32-bit pixel's top byte is its alpha unless a colour field takes it.
    const bool topByteAlpha = bitCount == 32 && ((red.mask | green.mask | blue.mask) & 0xFF000000u) == 0;

    const uint64_t entryBytes = core ? 3 : 4;
    const uint64_t colours = coloursUsed ? coloursUsed : (bitCount <= 8 ? 1u << bitCount : 0);
    const uint64_t colourStart = tableStart + entryBytes * colours;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    const uint64_t maskStart = colourStart + rowBytes * static_cast<uint64_t>(height);
    const uint64_t maskRowBytes = (static_cast<uint64_t>(width) + 31) / 32 * 4;
    if (!image.Holds(0, maskStart)) return ImageDecode::Damaged;

    // Indices past the table are black, as the system draws them.
    unsigned char table[256][3] = {};
    for (uint64_t c = 0; c < colours && bitCount <= 8; ++c)
        for (int channel = 0; channel < 3; ++channel)
            table[c][channel] = bytes[tableStart + entryBytes * c + 2 - channel];

    const int w = static_cast<int>(width), h = static_cast<int>(height);
    decoded.width = w;
    decoded.height = h;
    decoded.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
    bool anyAlpha = false;
    for (int row = 0; row < h; ++row) {
        const unsigned char* colour = bytes + colourStart + rowBytes * static_cast<uint64_t>(row);
        unsigned char* out = decoded.pixels.data() + static_cast<size_t>(h - 1 - row) * static_cast<size_t>(w) * 4;
        for (int x = 0; x < w; ++x, out += 4) {
            if (bitCount <= 8) {
                const int bit = x * bitCount;
                const unsigned index = (colour[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                out[0] = table[index][0], out[1] = table[index][1], out[2] = table[index][2];
            } else if (bitCount == 24) {
                out[0] = colour[3 * x + 2], out[1] = colour[3 * x + 1], out[2] = colour[3 * x];
            } else {
                const uint32_t pixel = bitCount == 16 ? LittleU16(colour + 2 * x) : LittleU32(colour + 4 * x);
                out[0] = static_cast<unsigned char>(Channel(pixel, red));
                out[1] = static_cast<unsigned char>(Channel(pixel, green));
                out[2] = static_cast<unsigned char>(Channel(pixel, blue));
                if (topByteAlpha) out[3] = static_cast<unsigned char>(pixel >> 24);
                anyAlpha = anyAlpha || out[3];
            }
        }
    }
    if (anyAlpha) return ImageDecode::Decoded;
    for (int row = 0; row < h; ++row) {
        unsigned char* out = decoded.pixels.data() + static_cast<size_t>(h - 1 - row) * static_cast<size_t>(w) * 4;
        const uint64_t rowStart = maskStart + maskRowBytes * static_cast<uint64_t>(row);
        for (int x = 0; x < w; ++x, out += 4) {
            const uint64_t at = rowStart + static_cast<uint64_t>(x / 8);
            const bool transparent = at < image.Size() && (bytes[at] >> (7 - x % 8)) & 1;
            out[3] = transparent ? 0 : 0xFF;
        }
    }
    return ImageDecode::Decoded;
}
