// Writing a whole file so that a file of that name survives every failure: the bytes go to a
// temporary file in the target's folder, which takes the target's place only once complete.
// No temporary file is left behind. Every writer of exported files goes through here.
#pragma once
#include <string>
#include <vector>

enum class ReplaceResult {
    Replaced,     // the file at the path holds exactly the bytes
    CannotOpen,   // the file could not be created, or the target could not be replaced
    CannotWrite,  // a write failed; nothing is left of what was written
};

// On Windows, when even a short temporary name beside the target would not fit in a path, the
// target is written in place, and removed again when a write fails.
ReplaceResult ReplaceFileWith(const std::string& path, const std::vector<unsigned char>& bytes);

#ifdef _WIN32
#include <windows.h>
// For tests: replaces the function that writes to the open file, to make writes fail. Answers
// the previous one; null restores WriteFile.
using FileWriteFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
FileWriteFunction SetFileWriterForTesting(FileWriteFunction writer);
#endif
