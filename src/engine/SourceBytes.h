// The bytes of a source file as its reader asks for them: bytes already in memory, or a file
// brought in piece by piece (read into memory of the reading's own, or paged in where a view of
// it lies). A module's icons lie in a small part of it (a program may carry hundreds of megabytes
// of code, or an installer appended behind it), so pieces are brought in only where the reader
// looks, each once. One that cannot be brought in (a drive gone, a file shortened) voids the
// whole reading, which then gives no part any more.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>

#include "engine/ByteSpan.h"

class SourceBytes {
public:
    // Brings the `count` bytes at `offset` in and answers where they are, or null when they
    // cannot be read; bytes read into a block of their own hand the block over in `block`.
    using Reader =
        std::function<const unsigned char*(uint64_t offset, size_t count, std::unique_ptr<unsigned char[]>& block)>;
    static constexpr size_t DefaultPiece = 64 * 1024;

    // Bytes already in memory: nothing is read.
    explicit SourceBytes(ByteSpan bytes) : size(bytes.Size()), inMemory(bytes), fromFile(false) {}
    // A file of `fileSize` bytes, brought in through `read` in aligned pieces of `piece` bytes (a
    // part that crosses pieces is brought in on its own); more than `limit` bytes in all void it.
    SourceBytes(uint64_t fileSize, Reader read, uint64_t limit, size_t piece = DefaultPiece)
        : size(fileSize),
          inMemory(),
          fromFile(true),
          reader(std::move(read)),
          holdLimit(limit),
          pieceSize(piece ? piece : 1) {}
    SourceBytes(const SourceBytes&) = delete;
    SourceBytes& operator=(const SourceBytes&) = delete;

    uint64_t Size() const { return size; }
    // True when [offset, offset + count) lies inside the file; nothing is read.
    bool Holds(uint64_t offset, uint64_t count) const { return offset <= size && count <= size - offset; }
    // The bytes [offset, offset + count), read when not yet held; they stay valid as long as this
    // object. False when they lie outside the file or cannot be read.
    bool Part(uint64_t offset, uint64_t count, ByteSpan& part) const;
    bool U16(uint64_t offset, uint16_t& value) const;
    bool U32(uint64_t offset, uint32_t& value) const;

    // True once a read failed or the parts asked for outgrew the limit.
    bool Failed() const { return failed; }
    // Ends the reading from the file (it is about to be closed): what was read stays.
    void StopReading() { reader = nullptr; }
    // The bytes brought in.
    uint64_t Held() const { return held; }

private:
    struct Piece {
        uint64_t offset = 0;
        size_t size = 0;
        const unsigned char* bytes = nullptr;
        std::unique_ptr<unsigned char[]> block;  // the bytes, when they were read into memory of their own
        bool Holds(uint64_t at, uint64_t count) const { return at >= offset && at - offset + count <= size; }
    };
    const Piece* Find(uint64_t offset, uint64_t count) const;
    bool Read(uint64_t offset, uint64_t count, Piece& piece) const;

    uint64_t size = 0;
    ByteSpan inMemory;
    bool fromFile = false;
    Reader reader;
    uint64_t holdLimit = 0;
    size_t pieceSize = DefaultPiece;
    // Node-based: the pieces never move, so parts given out stay valid.
    mutable std::unordered_map<uint64_t, Piece> pieces;                // by piece index
    mutable std::map<std::pair<uint64_t, uint64_t>, Piece> crossings;  // by offset and count
    mutable const Piece* recent = nullptr;
    mutable uint64_t held = 0;
    mutable bool failed = false;
};
