// The ICO file layout, byte for byte: a 6-byte header (reserved 0, type 1, image count), one
// 16-byte directory entry per image, then the images back to back in directory order. All
// values little-endian.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/IconRecord.h"

constexpr size_t IcoHeaderBytes = 6;
constexpr size_t IcoEntryBytes = 16;

struct IcoEntry {
    uint8_t width = 0;  // both 0 when a side is 256 pixels or more
    uint8_t height = 0;
    uint8_t colourCount = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t bytesInResource = 0;
    uint32_t imageOffset = 0;
};

// Writes the header for `count` images into out[0..6).
void WriteIcoHeader(unsigned char* out, uint16_t count);
// Writes an entry into out[0..16); the reserved byte is 0.
void WriteIcoEntry(unsigned char* out, const IcoEntry& entry);

// The colour count of an entry: 2 to the power of the depth below 8 bits, otherwise 0.
uint8_t IcoColourCount(uint32_t depth);

// The directory entry of an image: width, height, planes and bit count from its bitmap header,
// or for a PNG image width and height from its IHDR header and planes and bit count from the
// group's entry.
IcoEntry IcoEntryFor(const IconImage& image, uint32_t imageOffset);

// The whole ICO file of a record. Every image is copied unchanged except that a bitmap image's
// image-size field (bytes 20 to 23) is written as 0; a PNG image has no such field and is copied
// as it is. False when the file would not fit 32-bit offsets or memory runs out.
bool IcoFileBytes(const IconResource& record, std::vector<unsigned char>& file);
