// A source file mapped for reading; the span covers exactly the file's bytes. Nobody may write
// the file while it is mapped, so it cannot shrink under the readers.
#pragma once
#include <windows.h>

#include <cstdint>

#include "engine/ByteSpan.h"

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
