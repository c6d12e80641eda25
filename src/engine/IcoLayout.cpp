#include "engine/IcoLayout.h"

#include <cstring>
#include <new>

namespace {

void Put16(unsigned char* out, uint16_t value) {
    out[0] = static_cast<unsigned char>(value & 0xFF);
    out[1] = static_cast<unsigned char>(value >> 8);
}

void Put32(unsigned char* out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value & 0xFFFF));
    Put16(out + 2, static_cast<uint16_t>(value >> 16));
}

constexpr size_t ImageSizeField = 20;

}  // namespace

void WriteIcoHeader(unsigned char* out, uint16_t count) {
    Put16(out, 0);
    Put16(out + 2, 1);
    Put16(out + 4, count);
}

void WriteIcoEntry(unsigned char* out, const IcoEntry& entry) {
    out[0] = entry.width;
    out[1] = entry.height;
    out[2] = entry.colourCount;
    out[3] = 0;
    Put16(out + 4, entry.planes);
    Put16(out + 6, entry.bitCount);
    Put32(out + 8, entry.bytesInResource);
    Put32(out + 12, entry.imageOffset);
}

uint8_t IcoColourCount(uint32_t depth) {
    return depth < 8 ? static_cast<uint8_t>(1u << depth) : 0;
}

IcoEntry IcoEntryFor(const IconImage& image, uint32_t imageOffset) {
    IcoEntry entry;
    // A side of 256 or more cannot be told in a byte: both are then 0, as a module's group entry
    // holds them, so that readers trusting the directory do not take a 194x313 image for 194x57.
    const bool fits = static_cast<uint32_t>(image.width) < 256 && static_cast<uint32_t>(image.height) < 256;
    entry.width = fits ? static_cast<uint8_t>(image.width) : 0;
    entry.height = fits ? static_cast<uint8_t>(image.height) : 0;
    if (image.format == ImageFormat::Png) {
        entry.planes = image.entryPlanes;
        entry.bitCount = image.entryBitCount;
    } else {
        entry.planes = LittleU16(image.header + 12);
        entry.bitCount = LittleU16(image.header + 14);
    }
    entry.colourCount = IcoColourCount(static_cast<uint32_t>(entry.planes) * entry.bitCount);
    entry.bytesInResource = image.byteCount;
    entry.imageOffset = imageOffset;
    return entry;
}

bool IcoFileBytes(const IconResource& record, std::vector<unsigned char>& file) {
    const IconImage* images = record.imageCount ? record.Images() : nullptr;
    uint64_t total = IcoHeaderBytes + uint64_t{IcoEntryBytes} * record.imageCount;
    for (uint32_t i = 0; i < record.imageCount; ++i)
        total += images[i].byteCount;
    if (total > UINT32_MAX || record.imageCount > UINT16_MAX) return false;
    try {
        file.assign(static_cast<size_t>(total), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    WriteIcoHeader(file.data(), static_cast<uint16_t>(record.imageCount));
    uint32_t offset = static_cast<uint32_t>(IcoHeaderBytes + IcoEntryBytes * record.imageCount);
    for (uint32_t i = 0; i < record.imageCount; ++i) {
        const IconImage& image = images[i];
        WriteIcoEntry(file.data() + IcoHeaderBytes + IcoEntryBytes * i, IcoEntryFor(image, offset));
        std::memcpy(file.data() + offset, image.bits, image.byteCount);
        if (image.format == ImageFormat::Bitmap) Put32(file.data() + offset + ImageSizeField, 0);
        offset += image.byteCount;
    }
    return true;
}
