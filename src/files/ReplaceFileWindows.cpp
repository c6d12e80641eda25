#include "files/ReplaceFile.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <utility>

#include "files/WideNames.h"
#include "system/OwnedHandles.h"
#include "system/Retry.h"

namespace {

FileWriteFunction writeToFile = WriteFile;
FileCreateFunction createFile = CreateFileW;

// Windows answers a sharing violation for a file another program holds, Wine access denied.
bool Held(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// The full path in the form the wide functions take without the MAX_PATH limit: a temporary
// name beside a target in a deep folder may be longer than the target. Empty when it cannot
// be made.
std::wstring UnlimitedPath(const std::string& path) {
    const std::wstring wide = WideFromAnsi(path.c_str(), FileApisCodePage());
    if (wide.empty()) return {};
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD length = needed ? GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr) : 0;
    if (length == 0 || length >= needed) return {};
    full.resize(length);
    if (full.compare(0, 4, L"\\\\?\\") == 0 || full.compare(0, 4, L"\\\\.\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// Creates a file that does not exist yet, waiting while the name is held. None, with the last
// error set, when it cannot.
UniqueFileHandle CreateNewFile(const std::wstring& path, const ReplaceWay& way) {
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (way.writeThrough ? FILE_FLAG_WRITE_THROUGH : 0);
    UniqueFileHandle file;
    DWORD error = ERROR_SUCCESS;
    RetryFor(way.heldMilliseconds, [&] {
        file.reset(createFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr));
        error = GetLastError();
        return file || !Held(error);
    });
    SetLastError(error);
    return file;
}

bool Exists(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// A new file of a name of our own ("gdk", eight hex digits, ".tmp") in the target's folder.
UniqueFileHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary, const ReplaceWay& way) {
    static std::atomic<unsigned> made{GetTickCount()};
    const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "gdk%08X.tmp", made++ * 2654435761u);
        temporary = folder + std::wstring(name, name + std::strlen(name));
        UniqueFileHandle file = CreateNewFile(temporary, way);
        if (file || !Exists(GetLastError())) return file;
    }
    return {};
}

// Writes everything, in pieces a DWORD can count, and closes the file: closing flushes what the
// system still holds back, and a failure there loses data too.
bool WriteAndClose(UniqueFileHandle file, const std::vector<unsigned char>& bytes) {
    bool written = true;
    for (size_t done = 0; written && done < bytes.size();) {
        const size_t left = bytes.size() - done;
        const DWORD piece = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
        DWORD count = 0;
        written = writeToFile(file.get(), bytes.data() + done, piece, &count, nullptr) && count == piece;
        done += piece;
    }
    const bool closed = CloseHandle(file.release()) != 0;
    return written && closed;
}

}  // namespace

FileWriteFunction SetFileWriterForTesting(FileWriteFunction writer) {
    const FileWriteFunction previous = writeToFile;
    writeToFile = writer ? writer : WriteFile;
    return previous;
}

FileCreateFunction SetFileCreatorForTesting(FileCreateFunction creator) {
    const FileCreateFunction previous = createFile;
    createFile = creator ? creator : CreateFileW;
    return previous;
}

ReplaceResult ReplaceFileWith(const std::string& path, const std::vector<unsigned char>& bytes, const ReplaceWay& way) {
    const std::wstring target = UnlimitedPath(path);
    if (target.empty()) return ReplaceResult::CannotCreate;

    // Where no file stands yet there is nothing to lose: the target itself is written, which
    // costs a Save All into a fresh folder nothing. Only a file that is there goes the longer
    // road of a temporary file and a move.
    UniqueFileHandle file = CreateNewFile(target, way);
    if (file) {
        if (WriteAndClose(std::move(file), bytes)) return ReplaceResult::Replaced;
        DeleteFileW(target.c_str());
        return ReplaceResult::CannotWrite;
    }
    // Unless a file or a folder of that name stands there, the folder takes no new file.
    if (!Exists(GetLastError()) && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES)
        return ReplaceResult::CannotCreate;

    std::wstring temporary;
    file = CreateTemporaryBeside(target, temporary, way);
    if (!file) return ReplaceResult::CannotCreate;
    if (!WriteAndClose(std::move(file), bytes)) {
        DeleteFileW(temporary.c_str());
        return ReplaceResult::CannotWrite;
    }
    // A target held open for longer than the wait, or a folder of that name, cannot be replaced.
    const DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | (way.writeThrough ? MOVEFILE_WRITE_THROUGH : 0);
    bool moved = false;
    RetryFor(way.heldMilliseconds, [&] {
        moved = MoveFileExW(temporary.c_str(), target.c_str(), moveFlags) != 0;
        return moved || !Held(GetLastError());
    });
    if (moved) return ReplaceResult::Replaced;
    DeleteFileW(temporary.c_str());
    return ReplaceResult::CannotReplace;
}
