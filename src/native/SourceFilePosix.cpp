// The POSIX side of engine/SourceFile.h. Linux keeps no program from shortening a file that
// another reads: a read then comes back short, and fails.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/SourceFile.h"

SourceFile::SourceFile(const char* path) {
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) return;
    handle = file;
    struct stat facts {};
    if (fstat(file, &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_size > 0)
        size = static_cast<uint64_t>(facts.st_size);
}

SourceFile::~SourceFile() {
    if (handle != -1) close(static_cast<int>(handle));
}

bool SourceFile::ReadAt(uint64_t offset, size_t count, unsigned char* into) const {
    if (handle == -1 || offset > size || count > size - offset) return false;
    while (count > 0) {
        const ssize_t got = pread(static_cast<int>(handle), into, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        into += got;
        offset += static_cast<uint64_t>(got);
        count -= static_cast<size_t>(got);
    }
    return true;
}
