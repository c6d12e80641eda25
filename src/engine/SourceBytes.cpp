#include "engine/SourceBytes.h"

#include <algorithm>

bool SourceBytes::Part(uint64_t offset, uint64_t count, ByteSpan& part) const {
    if (!Holds(offset, count)) return false;
    if (!fromFile) return inMemory.Part(offset, count, part);
    if (failed) return false;
    if (count == 0) {
        part = ByteSpan();
        return true;
    }
    const Piece* piece = recent && recent->Holds(offset, count) ? recent : Find(offset, count);
    if (!piece) return false;
    recent = piece;
    part = ByteSpan(piece->bytes + (offset - piece->offset), static_cast<size_t>(count));
    return true;
}

bool SourceBytes::U16(uint64_t offset, uint16_t& value) const {
    ByteSpan part;
    if (!Part(offset, 2, part)) return false;
    value = LittleU16(part.Data());
    return true;
}

bool SourceBytes::U32(uint64_t offset, uint32_t& value) const {
    ByteSpan part;
    if (!Part(offset, 4, part)) return false;
    value = LittleU32(part.Data());
    return true;
}

const SourceBytes::Piece* SourceBytes::Find(uint64_t offset, uint64_t count) const {
    const uint64_t index = offset / pieceSize;
    if ((offset + count - 1) / pieceSize == index) {
        const auto found = pieces.find(index);
        if (found != pieces.end()) return &found->second;
        const uint64_t start = index * pieceSize;
        Piece piece;
        if (!Read(start, std::min<uint64_t>(pieceSize, size - start), piece)) return nullptr;
        return &pieces.emplace(index, std::move(piece)).first->second;
    }
    const auto key = std::make_pair(offset, count);
    const auto found = crossings.find(key);
    if (found != crossings.end()) return &found->second;
    Piece piece;
    if (!Read(offset, count, piece)) return nullptr;
    return &crossings.emplace(key, std::move(piece)).first->second;
}

bool SourceBytes::Read(uint64_t offset, uint64_t count, Piece& piece) const {
    if (failed || !reader || count > holdLimit - held) {
        failed = true;
        return false;
    }
    piece.offset = offset;
    piece.size = static_cast<size_t>(count);
    piece.bytes = reader(offset, piece.size, piece.block);
    if (!piece.bytes) {
        failed = true;
        return false;
    }
    held += count;
    return true;
}
