#include "files/PathUtilities.h"

#include "files/TextFunctions.h"
#include "system/OwnedHandles.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

namespace {

constexpr char Backslash = '\\';

int Length(const char* text) {
    return static_cast<int>(std::strlen(text));
}

// Copies a text known to fit into a path buffer.
void CopyText(char* output, const char* text) {
    std::memcpy(output, text, std::strlen(text) + 1);
}

}  // namespace

bool PathExists(const char* path) {
    const int length = BoundedLength(path, MaxPathLength + 1);
    // A name holding a wildcard is no file's name: such a path is what a name the code page
    // cannot hold comes to ("???.dll"), and must not pass for whatever file matches it.
    if (length == 0 || length > MaxPathLength || std::strpbrk(path, "*?") != nullptr) {
        return false;
    }
    char copy[PathBufferSize];
    CopyText(copy, path);
    RemoveTrailingBackslash(copy);

    WIN32_FIND_DATAA found;
    if (UniqueFind(FindFirstFileA(copy, &found))) return true;
    // FindFirstFileA finds nothing for a drive such as "C:", which still exists.
    return GetFileAttributesA(copy) != INVALID_FILE_ATTRIBUTES;
}

bool CreateDirectoryPath(char* path) {
    if (path == nullptr) {
        return false;
    }
    TrimBlanks(path);
    const int length = BoundedLength(path, MaxPathLength + 1);
    if (length > MaxPathLength) {
        return false;
    }
    char work[PathBufferSize];
    CopyText(work, path);

    // Start at the deepest ancestor that already exists. The path is walked a character at a
    // time: a second byte that is 0x5C is no backslash.
    std::vector<int> backslashes;
    for (int i = 0; i < length; i += CharLength(work + i)) {
        if (work[i] == Backslash && i >= 1) {
            backslashes.push_back(i);
        }
    }
    int start = -1;
    for (auto at = backslashes.rbegin(); at != backslashes.rend(); ++at) {
        const int i = *at;
        work[i] = '\0';
        if (GetFileAttributesA(work) != INVALID_FILE_ATTRIBUTES) {
            // After a drive such as "C:" the root backslash needs no test.
            start = work[i - 1] == ':' ? i + 1 : i;
            break;
        }
    }
    CopyText(work, path);
    if (start < 0) {
        // Just past the root of a drive, two characters after its colon.
        const char* colon = std::strchr(work, ':');
        start = colon != nullptr ? static_cast<int>(colon - work) + 1 + CharLength(colon + 1) : 0;
    }

    int i = start;
    while (i < Length(work)) {
        if (work[i] != Backslash) {
            i += CharLength(work + i);
            continue;
        }
        work[i] = '\0';
        if (PathExists(work)) {
            work[i] = Backslash;
            ++i;
            continue;
        }
        // A directory made here loses the blanks on either side of the
        // backslash that follows it, in the file system and in the path.
        char rest[PathBufferSize];
        CopyText(rest, work + i + 1);
        TrimBlanks(rest);
        TrimBlanks(work);
        if (!CreateDirectoryA(work, nullptr)) {
            return false;
        }
        const int made = Length(work);
        const int restLength = Length(rest);
        if (made + 1 + restLength > MaxPathLength) {
            return false;
        }
        work[made] = Backslash;
        std::memcpy(work + made + 1, rest, static_cast<std::size_t>(restLength) + 1);
        i = made + 1;
    }

    if (!PathExists(work) && !CreateDirectoryA(work, nullptr)) {
        return false;
    }
    CopyText(path, work);
    return true;
}

bool ShellDisplayName(const char* path, char* output) {
    if (output == nullptr) {
        return false;
    }
    output[0] = '\0';
    if (path == nullptr) {
        return false;
    }
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(path, 0, &info, sizeof(info), SHGFI_DISPLAYNAME) == 0) {
        return false;
    }
    const int nameLength = BoundedLength(info.szDisplayName, MaxPathLength);
    if (nameLength == 0) {
        return false;
    }
    std::memcpy(output, info.szDisplayName, static_cast<std::size_t>(nameLength));
    output[nameLength] = '\0';
    return true;
}

void DisplayNamePath(const char* directory, char* output) {
    if (output == nullptr) {
        return;
    }
    output[0] = '\0';
    const int length = BoundedLength(directory, MaxPathLength + 1);
    if (length == 0 || length > MaxPathLength) {
        return;
    }
    const char* root = std::strstr(directory, ":\\");
    if (root == nullptr) {
        CopyText(output, directory);
        return;
    }

    char result[PathBufferSize];
    int resultLength = static_cast<int>(root - directory) + 2;
    std::memcpy(result, directory, static_cast<std::size_t>(resultLength));
    result[resultLength] = '\0';

    char prefix[PathBufferSize];
    char name[PathBufferSize];
    for (int i = resultLength; i < length; i += CharLength(directory + i)) {
        if (directory[i] != Backslash) {
            continue;
        }
        std::memcpy(prefix, directory, static_cast<std::size_t>(i) + 1);
        prefix[i + 1] = '\0';
        if (!ShellDisplayName(prefix, name)) {
            CopyText(output, directory);
            return;
        }
        const int nameLength = Length(name);
        if (resultLength + nameLength + 1 > MaxPathLength) {
            CopyText(output, directory);
            return;
        }
        std::memcpy(result + resultLength, name, static_cast<std::size_t>(nameLength));
        resultLength += nameLength;
        result[resultLength++] = Backslash;
        result[resultLength] = '\0';
    }
    // A display name is not always a file name (the shell may hide an
    // extension), so only a path that really exists is handed back.
    CopyText(output, PathExists(result) ? result : directory);
}
