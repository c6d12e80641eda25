// A read-only range of bytes that carries its length. Every parser of the icon engine reads
// through one, so that no read can leave the bytes that are really there.
#pragma once
#include <cstddef>
#include <cstdint>

inline uint16_t LittleU16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t LittleU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

inline uint32_t BigU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           static_cast<uint32_t>(p[3]);
}

class ByteSpan {
public:
    ByteSpan() = default;
    ByteSpan(const unsigned char* data, size_t size) : bytes(size ? data : nullptr), length(data ? size : 0) {}

    const unsigned char* Data() const { return bytes; }
    size_t Size() const { return length; }
    bool Empty() const { return length == 0; }

    // True when [offset, offset + count) lies inside the span.
    bool Holds(uint64_t offset, uint64_t count) const { return offset <= length && count <= length - offset; }

    // The bytes [offset, offset + count), when they lie inside.
    bool Part(uint64_t offset, uint64_t count, ByteSpan& part) const {
        if (!Holds(offset, count)) return false;
        part = ByteSpan(bytes + offset, static_cast<size_t>(count));
        return true;
    }

    // The bytes from offset on, at most count of them; empty when offset lies outside.
    ByteSpan Clip(uint64_t offset, uint64_t count) const {
        if (offset >= length) return ByteSpan();
        const uint64_t left = length - offset;
        return ByteSpan(bytes + offset, static_cast<size_t>(count < left ? count : left));
    }

    bool U16(uint64_t offset, uint16_t& value) const {
        if (!Holds(offset, 2)) return false;
        value = LittleU16(bytes + offset);
        return true;
    }

    bool U32(uint64_t offset, uint32_t& value) const {
        if (!Holds(offset, 4)) return false;
        value = LittleU32(bytes + offset);
        return true;
    }

private:
    const unsigned char* bytes = nullptr;
    size_t length = 0;
};
