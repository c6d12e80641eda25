// The POSIX side of engine/SourceFile.h: the bytes are read with pread, in pieces. Linux keeps no
// program from shortening a file that another reads: a read then comes back short, and fails.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "engine/SourceFile.h"

namespace {

// Reads exactly `count` bytes at `offset`.
bool ReadExactly(int file, uint64_t offset, size_t count, unsigned char* into) {
    while (count > 0) {
        const ssize_t got = pread(file, into, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        into += got;
        offset += static_cast<uint64_t>(got);
        count -= static_cast<size_t>(got);
    }
    return true;
}

}  // namespace

SourceFile::SourceFile(const char* path) {
    // Without O_NONBLOCK opening a named pipe would wait for a writer; a regular file reads as ever.
    const int file = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat facts {};
    if (file >= 0 && fstat(file, &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_size > 0)
        size = static_cast<uint64_t>(facts.st_size);
    handle = file;
    bytes.emplace(
        size,
        [this](uint64_t offset, size_t count, std::unique_ptr<unsigned char[]>& block) -> const unsigned char* {
            block.reset(new (std::nothrow) unsigned char[count]);
            const bool read = block && handle >= 0 && ReadExactly(static_cast<int>(handle), offset, count, block.get());
            return read ? block.get() : nullptr;
        },
        LargestSourceReading);
}

SourceFile::~SourceFile() {
    EndReading();
}

bool SourceFile::Lost() const {
    return bytes->Failed();
}

void SourceFile::EndReading() {
    bytes->StopReading();
    if (handle >= 0) close(static_cast<int>(handle));
    handle = -1;
}

void SourceFile::MakeUnreadable() {
    if (handle >= 0) close(static_cast<int>(handle));
    handle = -1;
}
