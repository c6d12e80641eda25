#include "export/JsonInventory.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The length of the valid UTF-8 sequence at text[i] (no overlong forms, no surrogates, nothing
// past U+10FFFF), or 0.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size() || at(i + 1) < low || at(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
    return length;
}

const char* KindName(SourceKind kind) {
    switch (kind) {
    case SourceKind::Pe32: return "\"pe32\"";
    case SourceKind::Pe32Plus: return "\"pe32+\"";
    case SourceKind::Ne: return "\"ne\"";
    case SourceKind::Ico: return "\"ico\"";
    case SourceKind::None: break;
    }
    return "null";
}

const char* StatusName(SourceStatus status) {
    switch (status) {
    case SourceStatus::Ok: return "ok";
    case SourceStatus::NoIcons: return "no-icons";
    case SourceStatus::Unreadable: return "unreadable";
    case SourceStatus::NotAModule: break;
    }
    return "not-a-module";
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

std::string GroupJson(const InventoryGroup& group, SourceKind kind) {
    std::string json = "{\"index\":" + std::to_string(group.index);
    if (kind == SourceKind::Ico)
        json += ",\"id\":null";
    else if (group.integer)
        json += ",\"id\":" + std::to_string(group.id);
    else
        json += ",\"name\":" + JsonString(group.name);
    json += ",\"language\":" + (group.hasLanguage ? std::to_string(group.language) : std::string("null"));
    json += ",\"readable\":" + std::string(Bool(group.readable)) + ",\"images\":[";
    for (size_t k = 0; k < group.images.size(); ++k) {
        const InventoryImage& image = group.images[k];
        json += k ? ",{" : "{";
        if (image.readable)
            json += "\"width\":" + std::to_string(image.facts.width) +
                    ",\"height\":" + std::to_string(image.facts.height) +
                    ",\"bits\":" + std::to_string(image.facts.bitsPerPixel) + ",\"png\":" + Bool(image.facts.png) + ",";
        else
            json += "\"readable\":false,";
        json += "\"bytes\":" + std::to_string(image.bytes) + "}";
    }
    return json + "]}";
}

std::string VersionJson(const SourceInventory& inventory) {
    if (!inventory.hasVersion) return "null";
    const VersionInfo& version = inventory.version;
    std::string json = "{";
    for (const auto& string : version.strings)
        json += JsonString(string.first) + ":" + JsonString(string.second) + ",";
    if (version.fixed)
        json += "\"file_version\":\"" + VersionText(version.fileVersion) + "\",\"product_version\":\"" +
                VersionText(version.productVersion) + "\"}";
    else
        json += "\"file_version\":null,\"product_version\":null}";
    return json;
}

// The command line's path as UTF-8: Windows gives it in the system's code page.
std::string PathAsUtf8(const char* argument) {
#ifdef _WIN32
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, argument, -1, nullptr, 0);
    if (wideLength <= 0) return argument;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, argument, -1, wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return argument;
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), length, nullptr, nullptr);
    text.resize(static_cast<size_t>(length - 1));
    return text;
#else
    return argument;
#endif
}

}  // namespace

std::string JsonString(const std::string& bytes) {
    std::string json = "\"";
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        char escape[8];
        if (c >= 0x80) {
            const size_t length = Utf8Length(bytes, i);
            if (length) {
                json.append(bytes, i, length);
                i += length;
                continue;
            }
            std::snprintf(escape, sizeof escape, "\\udc%02x", c);
            json += escape;
        } else if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            json += escape;
        } else {
            json += static_cast<char>(c);
        }
        ++i;
    }
    return json + "\"";
}

std::string InventoryJson(const std::string& path, const SourceInventory& inventory) {
    std::string json = "{\"schema\":1,\"path\":" + JsonString(path) + ",\"status\":\"" + StatusName(inventory.status) +
                       "\",\"kind\":" + KindName(inventory.kind) + ",\"groups\":[";
    for (size_t i = 0; i < inventory.groups.size(); ++i)
        json += (i ? "," : "") + GroupJson(inventory.groups[i], inventory.kind);
    return json + "],\"version\":" + VersionJson(inventory) + "}";
}

bool PrintInventories(const std::vector<std::string>& sources) {
    bool allOk = true;
    for (const std::string& source : sources) {
        const SourceReading reading(source.c_str());
        const SourceInventory inventory = TakeInventory(reading);
        allOk = allOk && inventory.status == SourceStatus::Ok;
        const std::string line = InventoryJson(PathAsUtf8(source.c_str()), inventory) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return std::fflush(stdout) == 0 && allOk;
}
