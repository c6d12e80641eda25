#include "files/WideNames.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <vector>

bool AnsiFromWide(const wchar_t* wide, std::string& ansi, unsigned codePage) {
    ansi.clear();
    if (wide == nullptr || wide[0] == L'\0') return true;
    // UTF-8 holds every character; it takes neither the flag nor the default-character report.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const reportDefault = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(codePage, flags, wide, -1, nullptr, 0, nullptr, reportDefault);
    if (size <= 0 || usedDefault) return false;
    std::vector<char> bytes(static_cast<size_t>(size));
    if (WideCharToMultiByte(codePage, flags, wide, -1, bytes.data(), size, nullptr, reportDefault) != size ||
        usedDefault)
        return false;
    // The way back must give the very same name: a look-alike that slipped through would not.
    if (WideFromAnsi(bytes.data(), codePage) != wide) return false;
    ansi.assign(bytes.data());
    return true;
}

std::wstring WideFromAnsi(const char* text, size_t length, unsigned codePage) {
    if (text == nullptr || length == 0 || length > static_cast<size_t>(INT_MAX)) return {};
    const int bytes = static_cast<int>(length);
    const int size = MultiByteToWideChar(codePage, 0, text, bytes, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(codePage, 0, text, bytes, wide.data(), size) != size) return {};
    return wide;
}

std::wstring WideFromAnsi(const char* text, unsigned codePage) {
    return WideFromAnsi(text, text ? std::strlen(text) : 0, codePage);
}

unsigned FileApisCodePage() {
    return AreFileApisANSI() ? CP_ACP : CP_OEMCP;
}

bool SamePathText(const char* a, const char* b, unsigned codePage) {
    if (a == nullptr || b == nullptr) return a == b;
    const std::wstring wideA = WideFromAnsi(a, codePage), wideB = WideFromAnsi(b, codePage);
    return CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

std::wstring PathKey(const char* path, unsigned codePage) {
    std::wstring key = WideFromAnsi(path, codePage);
    if (key.empty()) return key;
    // The invariant upper case is the one the ordinal comparison without case uses.
    const int size = static_cast<int>(key.size());
    std::wstring upper(key.size(), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, key.c_str(), size, upper.data(), size, nullptr,
                      nullptr, 0) == size)
        key = upper;
    return key;
}
