// The Windows side of files/TextFunctions.h: texts in the ANSI code page.
#include <windows.h>

#include "files/TextFunctions.h"

unsigned SystemCodePage() {
    return GetACP();
}

std::string SystemTextFromUtf16(const std::u16string& text) {
    std::string converted;
    if (text.empty()) return converted;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int wideLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    converted.resize(static_cast<size_t>(length > 0 ? length : 0));
    if (length > 0) WideCharToMultiByte(CP_ACP, 0, wide, wideLength, converted.data(), length, nullptr, nullptr);
    return converted;
}
