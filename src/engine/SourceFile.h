// A source file opened for its readers, whose bytes may fail to come in (a network drive that
// dropped, a removed disk, a file shortened meanwhile) without ending the program. The readers
// ask for the bytes in pieces (SourceBytes.h). On Windows the file is mapped, and a piece is paged
// in by a probe whose fault ends the probe instead of the program; a page that fails to come in
// again later is answered by zeros in the view's place, and the file is lost. Elsewhere the
// pieces are read with pread, and a failed or short read loses the file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/ByteSpan.h"
#include "engine/SourceBytes.h"

// A reading that would hold or bring in more of a file than this is refused: no module needs so
// much for its icons, and a hostile one must not make the program read gigabytes.
constexpr uint64_t LargestSourceReading = 256ull * 1024 * 1024;

class SourceFile {
public:
    // A folder, a file that cannot be opened and an empty file have no bytes.
    explicit SourceFile(const char* path);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    // The size when the file was opened; 0 when it has no bytes.
    uint64_t Size() const { return size; }
    // The file's bytes, as its readers ask for them.
    const SourceBytes& Bytes() const { return *bytes; }
    // True once bytes of the file could not be read: everything read of it is void.
    bool Lost() const;
    // The readers have what they need: a file read in pieces is closed; a view stays mapped, and
    // guarded, until the end.
    void EndReading();
    // For tests: the bytes cannot be read from now on, as if the drive had gone (on Windows the
    // view's pages can no longer be accessed, so that the next read faults).
    void MakeUnreadable();

private:
    uint64_t size = 0;
    intptr_t handle = -1;  // the descriptor of a file read in pieces; -1 when closed
    [[maybe_unused]] int guard = -1;  // the guard of a mapped view (Windows); -1 for none
    std::optional<SourceBytes> bytes;
};
