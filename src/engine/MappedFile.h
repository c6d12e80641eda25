// A source file mapped for reading; the span covers exactly the file's bytes. Nobody may write
// the file while it is mapped, so it cannot shrink under the readers.
#pragma once
#include <cstdint>

#include "engine/ByteSpan.h"

#ifdef _WIN32
#include <windows.h>

class MappedFile {
public:
    explicit MappedFile(const char* path) {
        file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER size{};
        if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size) || size.QuadPart == 0 ||
            static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX)
            return;
        mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
        if (view) bytes = ByteSpan(static_cast<const unsigned char*>(view), static_cast<size_t>(size.QuadPart));
    }
    ~MappedFile() {
        if (view) UnmapViewOfFile(view);
        if (mapping) CloseHandle(mapping);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    ByteSpan Bytes() const { return bytes; }

private:
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    void* view = nullptr;
    ByteSpan bytes;
};
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// An empty file, a folder or a file that cannot be opened gives no bytes. Unlike Windows, Linux
// does not keep other programs from shortening a mapped file.
class MappedFile {
public:
    explicit MappedFile(const char* path) {
        const int file = open(path, O_RDONLY | O_CLOEXEC);
        if (file < 0) return;
        struct stat facts {};
        if (fstat(file, &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_size > 0 &&
            static_cast<unsigned long long>(facts.st_size) <= SIZE_MAX) {
            size = static_cast<size_t>(facts.st_size);
            view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file, 0);
            if (view == MAP_FAILED) view = nullptr;
            if (view) bytes = ByteSpan(static_cast<const unsigned char*>(view), size);
        }
        close(file);  // the mapping keeps the file
    }
    ~MappedFile() {
        if (view) munmap(view, size);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    ByteSpan Bytes() const { return bytes; }

private:
    void* view = nullptr;
    size_t size = 0;
    ByteSpan bytes;
};
#endif
