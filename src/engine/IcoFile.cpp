#include "engine/IcoFile.h"

#include "engine/EngineMessages.h"
#include "engine/IcoLayout.h"

namespace {

FileWriteFunction writeToFile = WriteFile;

// Writes everything, in pieces a DWORD can count.
bool WriteAll(HANDLE file, const std::vector<unsigned char>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t left = bytes.size() - done;
        const DWORD piece = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!writeToFile(file, bytes.data() + done, piece, &written, nullptr) || written != piece) return false;
        done += piece;
    }
    return true;
}

}  // namespace

FileWriteFunction SetIcoFileWriterForTesting(FileWriteFunction writer) {
    const FileWriteFunction previous = writeToFile;
    writeToFile = writer ? writer : WriteFile;
    return previous;
}

bool SaveIcoBytes(const char* path, const std::vector<unsigned char>& bytes) {
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ReportEngineFailure(path, ErrorOpeningForWriting);
        return false;
    }
    const bool written = WriteAll(file, bytes);
    // Closing flushes what the system still holds back; a failure there loses data too.
    const bool closed = CloseHandle(file) != 0;
    if (written && closed) return true;
    DeleteFileA(path);
    ReportEngineFailure(path, ErrorWritingIcoFile);
    return false;
}

bool WriteIcoFile(const IconResource& record, const char* path) {
    std::vector<unsigned char> bytes;
    if (!IcoFileBytes(record, bytes)) {
        ReportEngineFailure(path, ErrorAllocatingMemory);
        return false;
    }
    return SaveIcoBytes(path, bytes);
}
