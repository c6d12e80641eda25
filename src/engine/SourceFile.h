// A source file opened for reading its bytes at given offsets, held only as long as this object:
// a reading closes it as soon as it has what it needs, so that nothing keeps a folder from being
// renamed or a removable drive from being ejected. On Windows other programs may read it
// meanwhile but not write it.
#pragma once
#include <cstddef>
#include <cstdint>

class SourceFile {
public:
    // A folder, a file that cannot be opened and an empty file have no bytes.
    explicit SourceFile(const char* path);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    // The size when the file was opened; 0 when it has no bytes.
    uint64_t Size() const { return size; }
    // Reads exactly `count` bytes at `offset`. False when the system fails the read or gives
    // fewer bytes (a drive gone, a file shortened since it was opened).
    bool ReadAt(uint64_t offset, size_t count, unsigned char* into) const;

private:
    intptr_t handle = -1;  // a HANDLE on Windows, a descriptor elsewhere; -1 when not open
    uint64_t size = 0;
};
