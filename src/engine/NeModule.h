// 16-bit (NE) modules, read directly: the MZ header, the NE header and the resource table, and
// the icon groups and images that the table lists.
//
// MZ header: 64 bytes, "MZ" at 0, the offset of the NE header at 60. NE header: 64 bytes, "NE"
// at 0, the resource table's offset at 36 and the resident-name table's at 38, both relative to
// the NE header; equal offsets mean no resource table. Resource table: an alignment shift, then
// 8-byte type records (type, count, reserved), each followed by `count` 12-byte name records
// (offset, length, flags, id, handle, usage), until a type of 0. Offsets and lengths are in
// units of 2 to the power of the shift, counted from the start of the file.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/ByteSpan.h"

constexpr uint16_t NeIconImageType = 0x8003;
constexpr uint16_t NeIconGroupType = 0x800E;
constexpr uint16_t NeVersionType = 0x8010;
constexpr uint16_t NeIntegerIdFlag = 0x8000;

// An ICO file written from a 16-bit module holds at most this many images.
constexpr size_t NeImageTableLimit = 30;

struct NeResourceRecord {
    uint16_t id = 0;      // as stored: an integer id carries NeIntegerIdFlag
    uint64_t offset = 0;  // in bytes from the start of the file
    uint64_t length = 0;  // in bytes
};

struct NeResourceTable {
    uint64_t tableOffset = 0;
    std::vector<NeResourceRecord> groups;            // icon groups in table order: group ordinal s is groups[s]
    std::vector<NeResourceRecord> images;            // icon images in table order
    std::unordered_map<uint16_t, size_t> imageById;  // integer id, without its flag, to images[]
    bool hasVersion = false;
    NeResourceRecord version;  // the first version resource, when hasVersion
};

enum class NeWalk {
    Walked,
    NoResourceTable,
    NotNe,    // not an MZ file, or no NE header behind it
    Invalid,  // the resource table runs past the end of the file, or its shift is 16 or more
};

NeWalk WalkNeModule(ByteSpan file, NeResourceTable& table);

// The bytes of the icon image that a group entry names by `id`: the image record carrying that
// integer id or, when none does, the id-th image record in table order (counted from 1). The
// span is cut at the end of the file; false when there is no such record or it starts past it.
bool NeReadIconImage(ByteSpan file, const NeResourceTable& table, uint16_t id, ByteSpan& image);

enum class NeGroup {
    Built,
    NoGroup,  // the ordinal is beyond the last group
    Invalid,  // the directory or an image it names lies outside the file, or a group of no images
};

// The ICO file of group `ordinal`: the directory's header as stored with the count cut to
// NeImageTableLimit, entries built from the group's entries (colour count from planes times bit
// count), and each image's first bytes-in-resource bytes as stored.
NeGroup NeGroupIcoBytes(ByteSpan file, const NeResourceTable& table, size_t ordinal, std::vector<unsigned char>& ico);

// The summary of group `ordinal`, one piece per entry of its directory (no limit): width,
// height and the stored colour count, or 256 from 8 bits per pixel up: "32x32x16, 16x16x16".
NeGroup NeGroupSummary(ByteSpan file, const NeResourceTable& table, size_t ordinal, std::string& text);

// The name of group `ordinal`: its integer id in decimal, or its string name from the table.
std::string NeGroupName(ByteSpan file, const NeResourceTable& table, size_t ordinal);
