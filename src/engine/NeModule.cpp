#include "engine/NeModule.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "engine/GroupDirectory.h"
#include "engine/IcoLayout.h"

namespace {

constexpr uint16_t MzSignature = 0x5A4D;
constexpr uint16_t NeSignature = 0x454E;
constexpr size_t MzHeaderBytes = 64;
constexpr size_t NeHeaderBytes = 64;
constexpr size_t TypeRecordBytes = 8;
constexpr size_t NameRecordBytes = 12;

// The directory of group `ordinal` and its first `count` entries, when they lie inside the file.
NeGroup ReadGroup(ByteSpan file, const NeResourceTable& table, size_t ordinal, bool limitCount, ByteSpan& directory,
                  std::vector<GroupDirectoryEntry>& entries) {
    if (ordinal >= table.groups.size()) return NeGroup::NoGroup;
    const NeResourceRecord& group = table.groups[ordinal];
    directory = file.Clip(group.offset, group.length);
    uint16_t count = 0;
    if (!GroupImageCount(directory, count) || count == 0) return NeGroup::Invalid;
    const size_t n = limitCount && count > NeImageTableLimit ? NeImageTableLimit : count;
    entries.resize(n);
    for (size_t k = 0; k < n; ++k)
        if (!GroupEntryAt(directory, k, entries[k])) return NeGroup::Invalid;
    return NeGroup::Built;
}

}  // namespace

NeWalk WalkNeModule(ByteSpan file, NeResourceTable& table) {
    table = NeResourceTable();
    uint16_t signature = 0;
    uint32_t neOffset = 0;
    if (!file.Holds(0, MzHeaderBytes) || !file.U16(0, signature) || signature != MzSignature ||
        !file.U32(60, neOffset) || neOffset == 0)
        return NeWalk::NotNe;
    uint16_t resourceTable = 0, residentNames = 0;
    if (!file.Holds(neOffset, NeHeaderBytes) || !file.U16(neOffset, signature) || signature != NeSignature)
        return NeWalk::NotNe;
    file.U16(neOffset + 36, resourceTable);
    file.U16(neOffset + 38, residentNames);
    if (resourceTable == residentNames) return NeWalk::NoResourceTable;

    table.tableOffset = uint64_t{neOffset} + resourceTable;
    uint64_t at = table.tableOffset;
    uint16_t shift = 0;
    if (!file.U16(at, shift) || shift >= 16) return NeWalk::Invalid;
    at += 2;
    for (;;) {
        uint16_t type = 0, count = 0;
        if (!file.U16(at, type)) return NeWalk::Invalid;
        if (type == 0) break;
        if (!file.Holds(at, TypeRecordBytes) || !file.U16(at + 2, count)) return NeWalk::Invalid;
        at += TypeRecordBytes;
        if (!file.Holds(at, uint64_t{NameRecordBytes} * count)) return NeWalk::Invalid;
        for (uint16_t i = 0; i < count; ++i, at += NameRecordBytes) {
            NeResourceRecord record;
            uint16_t offset = 0, length = 0;
            file.U16(at, offset);
            file.U16(at + 2, length);
            file.U16(at + 6, record.id);
            record.offset = uint64_t{offset} << shift;
            record.length = uint64_t{length} << shift;
            if (type == NeIconGroupType) {
                table.groups.push_back(record);
            } else if (type == NeIconImageType) {
                if (record.id & NeIntegerIdFlag)
                    table.imageById.emplace(static_cast<uint16_t>(record.id & ~NeIntegerIdFlag), table.images.size());
                table.images.push_back(record);
            } else if (type == NeVersionType && !table.hasVersion) {
                table.hasVersion = true;
                table.version = record;
            }
        }
    }
    return NeWalk::Walked;
}

bool NeReadIconImage(ByteSpan file, const NeResourceTable& table, uint16_t id, ByteSpan& image) {
    const auto found = table.imageById.find(id);
    size_t index = 0;
    if (found != table.imageById.end())
        index = found->second;
    else if (id >= 1 && id <= table.images.size())
        index = id - 1u;
    else
        return false;
    const NeResourceRecord& record = table.images[index];
    image = file.Clip(record.offset, record.length);
    return image.Size() > 0;
}

NeGroup NeGroupIcoBytes(ByteSpan file, const NeResourceTable& table, size_t ordinal, std::vector<unsigned char>& ico) {
    ByteSpan directory;
    std::vector<GroupDirectoryEntry> entries;
    const NeGroup read = ReadGroup(file, table, ordinal, true, directory, entries);
    if (read != NeGroup::Built) return read;

    std::vector<ByteSpan> neImageTable(entries.size());
    uint64_t total = IcoHeaderBytes + IcoEntryBytes * entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!NeReadIconImage(file, table, entries[i].id, neImageTable[i]) || entries[i].bytesInResource == 0 ||
            entries[i].bytesInResource > neImageTable[i].Size())
            return NeGroup::Invalid;
        total += entries[i].bytesInResource;
    }
    if (total > UINT32_MAX) return NeGroup::Invalid;
    try {
        ico.assign(static_cast<size_t>(total), 0);
    } catch (const std::bad_alloc&) {
        return NeGroup::Invalid;
    }
    // The header is always that of an icon file: a damaged module's reserved or type field
    // would make the file something no reader takes for an icon.
    WriteIcoHeader(ico.data(), static_cast<uint16_t>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(IcoHeaderBytes + IcoEntryBytes * entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const GroupDirectoryEntry& source = entries[i];
        IcoEntry entry;
        entry.width = source.width;
        entry.height = source.height;
        entry.colourCount = IcoColourCount(static_cast<uint32_t>(source.planes) * source.bitCount);
        entry.planes = source.planes;
        entry.bitCount = source.bitCount;
        entry.bytesInResource = source.bytesInResource;
        entry.imageOffset = offset;
        WriteIcoEntry(ico.data() + IcoHeaderBytes + IcoEntryBytes * i, entry);
        std::memcpy(ico.data() + offset, neImageTable[i].Data(), source.bytesInResource);
        offset += source.bytesInResource;
    }
    return NeGroup::Built;
}

NeGroup NeGroupSummary(ByteSpan file, const NeResourceTable& table, size_t ordinal, std::string& text) {
    text.clear();
    ByteSpan directory;
    std::vector<GroupDirectoryEntry> entries;
    const NeGroup read = ReadGroup(file, table, ordinal, false, directory, entries);
    if (read != NeGroup::Built) return read;
    for (size_t i = 0; i < entries.size(); ++i) {
        const GroupDirectoryEntry& entry = entries[i];
        const unsigned colours = static_cast<uint32_t>(entry.planes) * entry.bitCount < 8 ? entry.colourCount : 256u;
        char piece[32];
        std::snprintf(piece, sizeof piece, "%s%ux%ux%u", i ? ", " : "", static_cast<unsigned>(entry.width),
                      static_cast<unsigned>(entry.height), colours);
        text += piece;
    }
    return NeGroup::Built;
}

std::string NeGroupName(ByteSpan file, const NeResourceTable& table, size_t ordinal) {
    if (ordinal >= table.groups.size()) return std::string();
    const uint16_t id = table.groups[ordinal].id;
    if (id & NeIntegerIdFlag) return std::to_string(id & ~NeIntegerIdFlag);
    // A string name: a length byte and the characters, at id bytes into the resource table.
    ByteSpan length, name;
    if (!file.Part(table.tableOffset + id, 1, length) || !file.Part(table.tableOffset + id + 1, length.Data()[0], name))
        return std::string();
    return std::string(reinterpret_cast<const char*>(name.Data()), name.Size());
}
