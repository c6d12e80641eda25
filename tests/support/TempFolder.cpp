#include "support/TempFolder.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {
std::string RealTempFolder() {
    // Read once per process: a test may point TMP elsewhere after this.
    static const std::string folder = [] {
        char buffer[MAX_PATH] = {};
        DWORD length = GetTempPathA(MAX_PATH, buffer);
        return std::string(buffer, length > 0 && length < MAX_PATH ? length : 0);
    }();
    return folder;
}
}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[80];
        std::snprintf(name, sizeof name, "gdt-%lu-%d-%d\\", GetCurrentProcessId(), counter++,
                      static_cast<int>(GetTickCount() % 100000));
        std::string candidate = RealTempFolder() + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path = candidate;
            return;
        }
    }
}

TempFolder::~TempFolder() {
    if (!path.empty()) RemoveFolderTree(path);
}

std::string TempFolder::WriteFile(const std::string& name, const std::string& bytes) const {
    std::string file = path + name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

namespace {
// By wide names, so that files named in any script go too.
void RemoveFolderTree(std::wstring base) {
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = base + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(full);
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(base.c_str());
}
}  // namespace

void RemoveFolderTree(const std::string& folder) {
    const int size = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    RemoveFolderTree(wide);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
