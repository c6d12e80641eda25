// The version information a module carries (its version resource): the fixed file and product
// version numbers and the strings a launcher shows, such as the product's name.
//
// The resource is a tree of blocks, each a header (total length, value length and, in 32- and
// 64-bit modules, a type), a NUL-terminated key (UTF-16 in 32- and 64-bit modules, bytes of the
// system's code page in 16-bit ones), the value and the child blocks, every part starting at a
// multiple of 4 bytes. The root's value is the fixed information; its child "StringFileInfo"
// holds one table per language and code page (a key of 8 hex digits), whose children are the
// strings.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/ByteSpan.h"

// The strings read, in this order.
constexpr const char* VersionStringNames[] = {"ProductName",    "FileDescription",  "CompanyName",    "FileVersion",
                                              "ProductVersion", "OriginalFilename", "LegalCopyright", "InternalName"};

struct VersionInfo {
    bool fixed = false;  // the numbers below were read
    uint16_t fileVersion[4] = {};
    uint16_t productVersion[4] = {};
    // The strings of VersionStringNames the chosen table holds, in that order, in UTF-8.
    std::vector<std::pair<std::string, std::string>> strings;
};

// Reads a version resource; `wide` for a 32- or 64-bit module's (UTF-16), else a 16-bit
// module's. The strings come from the language-neutral table, else an English one, else the
// first. False when the resource holds neither the numbers nor any string.
bool ReadVersionInfo(ByteSpan resource, bool wide, VersionInfo& info);

// "1.2.3.4"
std::string VersionText(const uint16_t (&parts)[4]);

// Text of a 16-bit module (Windows' Western code page, 1252) in UTF-8.
std::string Utf8FromWindows1252(const std::string& text);
