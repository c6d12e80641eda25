#include <cstring>

#include "app/ExplorerDialog.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "system/OwnedHandles.h"

namespace {
constexpr const char* AppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr DWORD RegistryTextSize = 1024;

// A registered application's path in the form the catalogue keeps: the folders as the shell
// shows them, the file name with only its first letter in upper case. False when it names no
// existing file or the result would not fit.
bool CatalogueFormOfRegisteredPath(char* value, char* output) {
    TrimBlanks(value);
    StripQuotes(value);
    TrimBlanks(value);
    if (BoundedLength(value, MaxPathLength + 1) > MaxPathLength || !PathExists(value)) return false;

    char folder[PathBufferSize] = {};
    char name[PathBufferSize] = {};
    // A bare file name has no folder part and keeps the name alone.
    const size_t folderLength = static_cast<size_t>(LastBackslash(value) + 1);
    std::memcpy(folder, value, folderLength);
    std::strcpy(name, value + folderLength);

    CharUpperA(name);
    if (name[0]) CharLowerA(name + 1);
    TrimBlanks(name);

    if (folder[0]) {
        char shown[PathBufferSize] = {};
        DisplayNamePath(folder, shown);
        std::strcpy(folder, shown);
        TrimBlanks(folder);
    }
    if (std::strlen(folder) + std::strlen(name) > MaxPathLength) return false;
    std::strcpy(output, folder);
    std::strcat(output, name);
    return true;
}

// The default value of `subkey` as text, with the environment variables of an expandable value
// (%ProgramFiles%\...) expanded; a subkey without one gives the empty text. False when it
// cannot be read, including a value longer than the buffer. A value that is not text, or does
// not fit once expanded, gives the empty text.
bool ReadRegisteredPath(HKEY key, const char* subkey, char (&value)[RegistryTextSize + 1]) {
    value[0] = 0;
    UniqueRegKey application;
    if (RegOpenKeyExA(key, subkey, 0, KEY_QUERY_VALUE, application.Receive()) != ERROR_SUCCESS) return false;
    char raw[RegistryTextSize + 1] = {};
    DWORD type = REG_NONE;
    DWORD size = RegistryTextSize;
    const LONG read = RegQueryValueExA(application.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(raw), &size);
    if (read == ERROR_FILE_NOT_FOUND) return true;
    if (read != ERROR_SUCCESS) return false;
    if (type == REG_SZ) {
        std::strcpy(value, raw);
    } else if (type == REG_EXPAND_SZ) {
        // The ANSI form may ask for one byte more than it writes.
        const DWORD needed = ExpandEnvironmentStringsA(raw, value, sizeof value);
        if (needed == 0 || needed > sizeof value) value[0] = 0;
    }
    return true;
}

}  // namespace

void ExplorerDialog::SeedCatalogue() {
    char path[PathBufferSize];
    UINT length = GetWindowsDirectoryA(path, PathBufferSize);
    if (length > 0 && length + 13 < PathBufferSize) {
        AppendBackslash(path);
        std::strcat(path, "explorer.exe");
        AddCatalogueFile(path);
    }
    length = GetSystemDirectoryA(path, PathBufferSize);
    if (length > 0 && length + 12 < PathBufferSize) {
        AppendBackslash(path);
        std::strcat(path, "shell32.dll");
        AddCatalogueFile(path);
    }

    // Read access is all that is needed: asking for more fails for ordinary users.
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AppPathsKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return;
    for (DWORD index = 0;; ++index) {
        char subkey[RegistryTextSize];
        if (RegEnumKeyA(key.get(), index, subkey, sizeof subkey) != ERROR_SUCCESS) break;
        char value[RegistryTextSize + 1];
        const bool read = ReadRegisteredPath(key.get(), subkey, value);
        if (read && value[0]) {
            char file[PathBufferSize];
            if (CatalogueFormOfRegisteredPath(value, file)) AddCatalogueFile(file);
        }
        // The walk ends at the first application whose path cannot be read.
        if (!read) break;
    }
}
