#include "files/TextFunctions.h"

#include <cstring>

namespace {

constexpr char Blank = ' ';
constexpr char Quote = '"';
constexpr char Backslash = '\\';
constexpr char Period = '.';

unsigned testCodePage = 0;  // 0: the system's

// Removes every leading and trailing occurrence of mark, in place.
void TrimCharacter(char* text, char mark) {
    if (text == nullptr || text[0] == '\0') {
        return;
    }
    const char* start = text;
    while (*start == mark) {
        ++start;
    }
    std::size_t length = std::strlen(start);
    while (length > 0 && start[length - 1] == mark) {
        --length;
    }
    // The kept part may overlap its new place, hence memmove.
    std::memmove(text, start, length);
    text[length] = '\0';
}

}  // namespace

unsigned TextCodePage() {
    if (testCodePage != 0) {
        return testCodePage;
    }
    return SystemCodePage();
}

unsigned SetTextCodePageForTesting(unsigned codePage) {
    const unsigned previous = testCodePage;
    testCodePage = codePage;
    return previous;
}

bool IsLeadByte(unsigned codePage, unsigned char c) {
    switch (codePage) {
    case 932:  // Japanese
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:  // Simplified Chinese
    case 949:  // Korean
    case 950:  // Traditional Chinese
        return c >= 0x81 && c <= 0xFE;
    default:
        return false;
    }
}

int CharLength(const char* text) {
    if (text == nullptr || text[0] == '\0') {
        return 0;
    }
    return IsLeadByte(TextCodePage(), static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}

int LastBackslash(const char* text) {
    int last = -1;
    for (int i = 0, step = 0; (step = CharLength(text + i)) > 0; i += step) {
        if (text[i] == Backslash) {
            last = i;
        }
    }
    return last;
}

bool EndsWithBackslash(const char* text) {
    int lastCharacter = -1;
    for (int i = 0, step = 0; (step = CharLength(text + i)) > 0; i += step) {
        lastCharacter = i;
    }
    return lastCharacter >= 0 && text[lastCharacter] == Backslash;
}

const char* FileNamePart(const char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    const char* name = path;
    for (const char* p = path; *p != '\0'; p += CharLength(p)) {
        if (*p == Backslash || *p == '/' || *p == ':') {
            name = p + 1;
        }
    }
    return name;
}

int BoundedLength(const char* text, int limit) {
    if (text == nullptr) {
        return 0;
    }
    int length = 0;
    while (length < limit && text[length] != '\0') {
        ++length;
    }
    return length;
}

void TrimBlanks(char* text) {
    TrimCharacter(text, Blank);
}

void StripQuotes(char* text) {
    TrimCharacter(text, Quote);
}

void RightChars(char* output, const char* text, int n) {
    if (output == nullptr) {
        return;
    }
    // Asking one past the limit tells an overlong text from a full one.
    const int length = BoundedLength(text, MaxPathLength + 1);
    if (length > MaxPathLength || n < 0 || n > length) {
        output[0] = '\0';
        return;
    }
    std::memcpy(output, text + (length - n), static_cast<std::size_t>(n));
    output[n] = '\0';
}

void CutAtFirstDot(char* text) {
    if (text == nullptr) {
        return;
    }
    char* dot = std::strchr(text, Period);
    if (dot != nullptr) {
        *dot = '\0';
    }
}

void AppendBackslash(char* text) {
    if (text == nullptr) {
        return;
    }
    const int length = BoundedLength(text, MaxPathLength + 1);
    if (length == 0) {
        text[0] = Backslash;
        text[1] = '\0';
        return;
    }
    // A full (or overlong) text has no room for one more character.
    if (length >= MaxPathLength || EndsWithBackslash(text)) {
        return;
    }
    text[length] = Backslash;
    text[length + 1] = '\0';
}

void RemoveTrailingBackslash(char* text) {
    if (text != nullptr && EndsWithBackslash(text)) {
        text[std::strlen(text) - 1] = '\0';
    }
}

void DirectoryPart(char* output, const char* path) {
    if (output == nullptr) {
        return;
    }
    const int length = BoundedLength(path, MaxPathLength + 1);
    if (length == 0 || length > MaxPathLength) {
        output[0] = '\0';
        return;
    }
    std::memcpy(output, path, static_cast<std::size_t>(length));
    output[length] = '\0';

    if (EndsWithBackslash(output)) {
        // Already a directory: the backslash removed here comes back below.
        output[length - 1] = '\0';
    } else {
        // The first character is never taken as the cut, so a path such as
        // "\name" stays whole and is treated as a directory name.
        const int cut = LastBackslash(output);
        if (cut >= 1) {
            output[cut] = '\0';
        } else if (length == MaxPathLength) {
            // The whole text plus a backslash would not fit.
            output[0] = '\0';
            return;
        }
    }
    AppendBackslash(output);
}

std::string Utf8FromUtf16(const std::u16string& text) {
    std::string utf8;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | c >> 6);
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | c >> 12);
            utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | c >> 18);
            utf8 += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}
