// The POSIX side of files/TextFunctions.h: texts in UTF-8.
#include "files/TextFunctions.h"

unsigned SystemCodePage() {
    return 65001;
}

std::string SystemTextFromUtf16(const std::u16string& text) {
    return Utf8FromUtf16(text);
}
