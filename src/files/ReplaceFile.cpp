#include "files/ReplaceFile.h"

#include <windows.h>

namespace {

FileWriteFunction writeToFile = WriteFile;

// GetTempFileNameA takes a folder of at most MAX_PATH - 14 characters and adds a name of at most
// 12 ("gdkFFFF.tmp" and a backslash).
constexpr size_t LongestTemporaryFolder = MAX_PATH - 14;

// Writes everything, in pieces a DWORD can count, and closes the file: closing flushes what the
// system still holds back, and a failure there loses data too.
bool WriteAndClose(HANDLE file, const std::vector<unsigned char>& bytes) {
    bool written = true;
    for (size_t done = 0; written && done < bytes.size();) {
        const size_t left = bytes.size() - done;
        const DWORD piece = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
        DWORD count = 0;
        written = writeToFile(file, bytes.data() + done, piece, &count, nullptr) && count == piece;
        done += piece;
    }
    const bool closed = CloseHandle(file) != 0;
    return written && closed;
}

// Creates the file at path with `disposition` and writes it; a file that fails to be written is
// removed again.
ReplaceResult WriteInPlace(const std::string& path, DWORD disposition, const std::vector<unsigned char>& bytes) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ReplaceResult::CannotOpen;
    if (WriteAndClose(file, bytes)) return ReplaceResult::Replaced;
    DeleteFileA(path.c_str());
    return ReplaceResult::CannotWrite;
}

}  // namespace

FileWriteFunction SetFileWriterForTesting(FileWriteFunction writer) {
    const FileWriteFunction previous = writeToFile;
    writeToFile = writer ? writer : WriteFile;
    return previous;
}

ReplaceResult ReplaceFileWith(const std::string& path, const std::vector<unsigned char>& bytes) {
    // Where no file stands yet there is nothing to lose: the target itself is written, which
    // costs a Save All into a fresh folder nothing. Only a file that is there goes the longer
    // road of a temporary file and a move.
    const ReplaceResult created = WriteInPlace(path, CREATE_NEW, bytes);
    if (created != ReplaceResult::CannotOpen || GetLastError() != ERROR_FILE_EXISTS) return created;

    const size_t separator = path.find_last_of("\\/:");
    const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator + 1);
    if (folder.size() > LongestTemporaryFolder) return WriteInPlace(path, CREATE_ALWAYS, bytes);

    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "gdk", 0, temporary) == 0) return ReplaceResult::CannotOpen;
    const HANDLE file =
        CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ReplaceResult result = ReplaceResult::CannotOpen;
    if (file != INVALID_HANDLE_VALUE) {
        result = WriteAndClose(file, bytes) ? ReplaceResult::Replaced : ReplaceResult::CannotWrite;
        // A target held open by another program, or a folder of that name, cannot be replaced.
        if (result == ReplaceResult::Replaced && !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING))
            result = ReplaceResult::CannotOpen;
    }
    if (result != ReplaceResult::Replaced) DeleteFileA(temporary);
    return result;
}
