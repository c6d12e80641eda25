#include "engine/SourceFile.h"

#include <windows.h>

SourceFile::SourceFile(const char* path) {
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    handle = reinterpret_cast<intptr_t>(file);
    LARGE_INTEGER length{};
    if (GetFileSizeEx(file, &length) && length.QuadPart > 0) size = static_cast<uint64_t>(length.QuadPart);
}

SourceFile::~SourceFile() {
    if (handle != -1) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

bool SourceFile::ReadAt(uint64_t offset, size_t count, unsigned char* into) const {
    if (handle == -1 || offset > size || count > size - offset) return false;
    while (count > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD asked = count < 0x40000000 ? static_cast<DWORD>(count) : 0x40000000;
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(handle), into, asked, &got, &at) || got == 0) return false;
        into += got;
        offset += got;
        count -= got;
    }
    return true;
}
