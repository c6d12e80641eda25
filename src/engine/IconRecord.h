// One icon group in memory: a short header and one IconImage per image, each holding an exact
// copy of the image as the module stores it, and the geometry routines that find the parts of
// a bitmap image (header, colour table, colour bitmap, mask) inside its bytes.
//
// A bitmap image is a device-independent bitmap without a file header: a 40-byte bitmap
// information header, the colour table (4 bytes per entry), the colour (XOR) bitmap and the
// 1-bit AND mask, all little-endian. An image may instead be a PNG file (every 256x256 image of
// a modern module is one), recognised by its 8-byte signature.
#pragma once
#include <cstdint>
#include <memory>

#include "engine/ByteSpan.h"
#include "files/TextFunctions.h"

enum class ImageFormat : uint8_t { Bitmap, Png };

struct IconImage {
    int32_t width = 0;                       // pixels
    int32_t height = 0;                      // pixels: half the bitmap header's, which counts the mask too
    uint32_t colourDepth = 0;                // bits per pixel: planes times bit count
    unsigned char* bits = nullptr;           // owned: the whole image exactly as the module stores it
    uint32_t byteCount = 0;                  // size of bits
    const unsigned char* header = nullptr;   // the bitmap header, equal to bits; null for PNG
    const unsigned char* xorBits = nullptr;  // first byte of the colour bitmap; null for PNG
    const unsigned char* andBits = nullptr;  // first byte of the AND mask; null for PNG
    // Planes and bit count of the group's directory entry: a PNG image states its depth nowhere
    // else in the form an icon directory wants.
    uint16_t entryPlanes = 0;
    uint16_t entryBitCount = 0;
    ImageFormat format = ImageFormat::Bitmap;
};

// The images live in the same allocation, directly behind these fields.
struct alignas(IconImage) IconResource {
    char iconFileName[PathBufferSize];  // empty: groups come only from modules
    char modulePath[PathBufferSize];
    uint32_t imageCount;

    IconImage* Images();
    const IconImage* Images() const;
};

// A record with room for imageCount empty images, or null when memory runs out.
IconResource* NewIconResource(uint32_t imageCount);
// Frees every image's bits and then the record itself; null is ignored.
void ReleaseIconResource(IconResource* record);

struct IconResourceRelease {
    void operator()(IconResource* record) const { ReleaseIconResource(record); }
};
using IconResourcePtr = std::unique_ptr<IconResource, IconResourceRelease>;

constexpr uint32_t BitmapHeaderSize = 40;

// The geometry of a bitmap image; `header` points at a bitmap header of BitmapHeaderSize bytes.
uint16_t ColourTableEntries(const unsigned char* header);
uint16_t ColourTableBytes(const unsigned char* header);
const unsigned char* XorBitsStart(const unsigned char* header);
int32_t RowBytes(const unsigned char* header);

// True when the bytes begin with the PNG signature.
bool IsPngImage(ByteSpan image);

// The width and height of a PNG image's IHDR, when the image holds the whole chunk and both are
// positive 31-bit numbers.
bool PngSize(ByteSpan image, uint32_t& width, uint32_t& height);

// True when every part of the image lies inside its bytes, so that the pointers of
// LinkImagePointers stay inside them: a bitmap whose header, colour table and colour bitmap fit
// (a positive size, at most 32 bits per pixel), or a PNG image with a complete IHDR header and
// a positive size.
bool IsSoundIconImage(ByteSpan image);

// Fills in every field of an image whose bits, byteCount and entry fields are set: sizes and
// depth from the bitmap header (or from a PNG image's IHDR header and the entry's depth) and the
// pointers into bits. False, changing nothing, when given no image or an unsound one.
bool LinkImagePointers(IconImage* image);
