#include "engine/GroupDirectory.h"

#include <cstdio>
#include <cstring>
#include <new>

bool GroupImageCount(ByteSpan directory, uint16_t& count) {
    return directory.Holds(0, GroupHeaderBytes) && directory.U16(4, count);
}

bool GroupEntryAt(ByteSpan directory, size_t k, GroupDirectoryEntry& entry) {
    ByteSpan bytes;
    if (!directory.Part(GroupHeaderBytes + uint64_t{GroupEntryBytes} * k, GroupEntryBytes, bytes)) return false;
    const unsigned char* p = bytes.Data();
    entry.width = p[0];
    entry.height = p[1];
    entry.colourCount = p[2];
    entry.planes = LittleU16(p + 4);
    entry.bitCount = LittleU16(p + 6);
    entry.bytesInResource = LittleU32(p + 8);
    entry.id = LittleU16(p + 12);
    return true;
}

GroupLoad AssembleIconGroup(ByteSpan directory, const ImageFinder& findImage, const char* modulePath,
                            IconResourcePtr& record) {
    uint16_t count = 0;
    if (!GroupImageCount(directory, count) || count == 0 ||
        !directory.Holds(GroupHeaderBytes, uint64_t{GroupEntryBytes} * count))
        return GroupLoad::Refused;

    IconResourcePtr group(NewIconResource(count));
    if (!group) return GroupLoad::OutOfMemory;
    std::snprintf(group->modulePath, sizeof group->modulePath, "%s", modulePath ? modulePath : "");

    for (uint16_t k = 0; k < count; ++k) {
        GroupDirectoryEntry entry;
        ByteSpan resource;
        GroupEntryAt(directory, k, entry);
        if (!findImage(entry.id, resource) || resource.Size() > UINT32_MAX || !IsSoundIconImage(resource))
            return GroupLoad::Refused;
        IconImage& image = group->Images()[k];
        image.bits = new (std::nothrow) unsigned char[resource.Size()];
        if (!image.bits) return GroupLoad::OutOfMemory;
        std::memcpy(image.bits, resource.Data(), resource.Size());
        image.byteCount = static_cast<uint32_t>(resource.Size());
        image.entryPlanes = entry.planes;
        image.entryBitCount = entry.bitCount;
        if (!LinkImagePointers(&image)) return GroupLoad::NotLinked;
    }
    record = std::move(group);
    return GroupLoad::Loaded;
}

uint32_t ColourFigure(uint32_t depth) {
    return depth < 8 ? 1u << depth : 256u;
}

std::string DescribeImages(const IconResource& record) {
    std::string text;
    for (uint32_t i = 0; i < record.imageCount; ++i) {
        const IconImage& image = record.Images()[i];
        char piece[48];
        std::snprintf(piece, sizeof piece, "%s%dx%dx%u", i ? ", " : "", static_cast<int>(image.width),
                      static_cast<int>(image.height), static_cast<unsigned>(ColourFigure(image.colourDepth)));
        text += piece;
    }
    return text;
}
