// Icon group directories (resource type 14 in 32-bit modules, 0x800E in 16-bit ones) and the
// assembly of an IconResource from a directory and the image resources its entries name.
//
// A directory is a 6-byte header (reserved, type, image count; 16 bits each) and one 14-byte
// entry per image: width, height, colour count, reserved (8 bits each), planes, bit count
// (16 bits each), bytes in resource (32 bits) and the identifier of the image resource (16 bits).
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "engine/ByteSpan.h"
#include "engine/IconRecord.h"

constexpr size_t GroupHeaderBytes = 6;
constexpr size_t GroupEntryBytes = 14;

struct GroupDirectoryEntry {
    uint8_t width = 0;
    uint8_t height = 0;
    uint8_t colourCount = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t bytesInResource = 0;
    uint16_t id = 0;
};

// The image count of the directory's header, when the header lies inside `directory`.
bool GroupImageCount(ByteSpan directory, uint16_t& count);
// Entry k, when it lies inside `directory`.
bool GroupEntryAt(ByteSpan directory, size_t k, GroupDirectoryEntry& entry);

enum class GroupLoad {
    Loaded,
    Refused,      // a resource is missing or its data is not sound: nothing to tell the user
    OutOfMemory,  // "Error Allocating Memory"
    NotLinked,    // "Error Converting to Internal Format"
};

// Finds the image resource of an identifier; false when there is none.
using ImageFinder = std::function<bool(uint16_t id, ByteSpan& image)>;

// Builds the record of a group: one image per directory entry, in directory order, each a copy
// of the resource that findImage gives for the entry's identifier. A directory whose entries
// run past its end, a group of no images, an entry naming no image and an unsound image
// refuse the group; `record` is set only when the group loaded.
GroupLoad AssembleIconGroup(ByteSpan directory, const ImageFinder& findImage, const char* modulePath,
                            IconResourcePtr& record);

// The colour figure of a summary: 2 to the power of the depth below 8 bits, otherwise 256.
uint32_t ColourFigure(uint32_t depth);

// One "WIDTHxHEIGHTxCOLOURS" piece per image, in order, separated by ", ": a group of a 32x32
// and a 16x16 image at 4 bits per pixel reads "32x32x16, 16x16x16". Sizes are the real ones:
// a 256-pixel image reads 256.
std::string DescribeImages(const IconResource& record);
