// Writing a whole file so that a file of that name survives every failure: the bytes go to a
// temporary file in the target's folder, which takes the target's place only once complete.
// No temporary file is left behind. Every writer of exported files, and the catalogue, goes
// through here.
#pragma once
#include <string>
#include <vector>

enum class ReplaceResult {
    Replaced,       // the file at the path holds exactly the bytes
    CannotReplace,  // the file at the path (held open by another program, a folder of that name)
                    // could not be replaced, and is as it was
    CannotCreate,   // no new file could be made in the folder (access denied, the folder gone,
                    // write-protected or full media)
    CannotWrite,    // a write failed (a full disk, a share gone); nothing is left of what was written
};

// A failure of the folder rather than of this one file: every other file there would fail too.
inline bool FolderFailure(ReplaceResult result) {
    return result == ReplaceResult::CannotCreate || result == ReplaceResult::CannotWrite;
}

struct ReplaceWay {
    // Nothing is answered before the bytes (and on Windows the move that puts them in place) are on
    // the disk: for a file the program reads back at its next start (the catalogue), which a power
    // cut just after the save must not take away.
    bool writeThrough = false;
    // On Windows, how long a file held open by another program for a moment (a search indexer, a
    // scanner, a thumbnail cache) is waited for, both where the new file is created and where it
    // takes the old one's place.
    unsigned heldMilliseconds = 1000;
};

ReplaceResult ReplaceFileWith(const std::string& path, const std::vector<unsigned char>& bytes,
                              const ReplaceWay& way = ReplaceWay());

#ifdef _WIN32
#include <windows.h>
// For tests: replace the functions that create and write the files, to make them fail or slow.
// Each answers the previous one; null restores CreateFileW or WriteFile.
using FileWriteFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
FileWriteFunction SetFileWriterForTesting(FileWriteFunction writer);
using FileCreateFunction = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
FileCreateFunction SetFileCreatorForTesting(FileCreateFunction creator);
#endif
