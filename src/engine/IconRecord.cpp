#include "engine/IconRecord.h"

#include <cstring>
#include <new>

namespace {

constexpr unsigned char PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, IHDR length and type, width and height, the rest of IHDR and its checksum.
constexpr size_t PngHeaderEnd = 8 + 8 + 13 + 4;

int32_t HeaderI32(const unsigned char* header, size_t offset) {
    return static_cast<int32_t>(LittleU32(header + offset));
}

uint32_t HeaderDepth(const unsigned char* header) {
    return static_cast<uint32_t>(LittleU16(header + 12)) * LittleU16(header + 14);
}

// The row length in bytes, rounded up to a multiple of 4, without overflow.
int64_t WideRowBytes(const unsigned char* header) {
    return ((static_cast<int64_t>(HeaderI32(header, 4)) * HeaderDepth(header) + 31) >> 3) & ~int64_t{3};
}

}  // namespace

IconImage* IconResource::Images() {
    return std::launder(reinterpret_cast<IconImage*>(this + 1));
}

const IconImage* IconResource::Images() const {
    return std::launder(reinterpret_cast<const IconImage*>(this + 1));
}

IconResource* NewIconResource(uint32_t imageCount) {
    void* memory = ::operator new (sizeof(IconResource) + size_t{imageCount} * sizeof(IconImage), std::nothrow);
    if (!memory) return nullptr;
    auto* record = new (memory) IconResource{};
    record->imageCount = imageCount;
    for (uint32_t i = 0; i < imageCount; ++i)
        new (reinterpret_cast<IconImage*>(record + 1) + i) IconImage{};
    return record;
}

void ReleaseIconResource(IconResource* record) {
    if (!record) return;
    for (uint32_t i = 0; i < record->imageCount; ++i)
        delete[] record->Images()[i].bits;
    ::operator delete(record);
}

uint16_t ColourTableEntries(const unsigned char* header) {
    const uint32_t coloursUsed = LittleU32(header + 32);
    if (coloursUsed != 0) return static_cast<uint16_t>(coloursUsed);
    switch (LittleU16(header + 14)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint16_t ColourTableBytes(const unsigned char* header) {
    return static_cast<uint16_t>(4 * ColourTableEntries(header));
}

const unsigned char* XorBitsStart(const unsigned char* header) {
    return header + LittleU32(header) + ColourTableBytes(header);
}

int32_t RowBytes(const unsigned char* header) {
    return static_cast<int32_t>(WideRowBytes(header));
}

bool IsPngImage(ByteSpan image) {
    return image.Size() >= sizeof PngSignature && std::memcmp(image.Data(), PngSignature, sizeof PngSignature) == 0;
}

bool PngSize(ByteSpan image, uint32_t& width, uint32_t& height) {
    if (!IsPngImage(image) || image.Size() < PngHeaderEnd) return false;
    const unsigned char* p = image.Data();
    if (BigU32(p + 8) != 13 || std::memcmp(p + 12, "IHDR", 4) != 0) return false;
    width = BigU32(p + 16);
    height = BigU32(p + 20);
    return width > 0 && height > 0 && width <= INT32_MAX && height <= INT32_MAX;
}

bool IsSoundIconImage(ByteSpan image) {
    uint32_t pngWidth = 0, pngHeight = 0;
    if (IsPngImage(image)) return PngSize(image, pngWidth, pngHeight);
    if (image.Size() < BitmapHeaderSize) return false;
    const unsigned char* header = image.Data();
    const uint64_t headerSize = LittleU32(header);
    const int32_t width = HeaderI32(header, 4);
    const int32_t height = HeaderI32(header, 8) / 2;
    const uint32_t depth = HeaderDepth(header);
    if (headerSize < BitmapHeaderSize || width <= 0 || height <= 0 || depth == 0 || depth > 32) return false;
    const uint64_t xorOffset = headerSize + ColourTableBytes(header);
    if (!image.Holds(xorOffset, 0)) return false;
    const uint64_t rowBytes = static_cast<uint64_t>(WideRowBytes(header));
    return static_cast<uint64_t>(height) <= (image.Size() - xorOffset) / rowBytes;
}

bool LinkImagePointers(IconImage* image) {
    if (!image || !image->bits) return false;
    const ByteSpan bytes(image->bits, image->byteCount);
    if (!IsSoundIconImage(bytes)) return false;
    uint32_t pngWidth = 0, pngHeight = 0;
    if (PngSize(bytes, pngWidth, pngHeight)) {
        image->format = ImageFormat::Png;
        image->width = static_cast<int32_t>(pngWidth);
        image->height = static_cast<int32_t>(pngHeight);
        image->colourDepth = static_cast<uint32_t>(image->entryPlanes) * image->entryBitCount;
        image->header = image->xorBits = image->andBits = nullptr;
        return true;
    }
    image->format = ImageFormat::Bitmap;
    image->header = image->bits;
    image->width = HeaderI32(image->header, 4);
    image->height = HeaderI32(image->header, 8) / 2;
    image->colourDepth = HeaderDepth(image->header);
    image->xorBits = XorBitsStart(image->header);
    image->andBits = image->xorBits + static_cast<ptrdiff_t>(RowBytes(image->header)) * image->height;
    return true;
}
