// Names between the system's UTF-16 and the program's code page, and how paths are told apart.
// Code pages are named, so that these run in any locale.
#include "files/WideNames.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Ansi(const wchar_t* wide, unsigned codePage, bool expectExact = true) {
    std::string ansi = "previous";
    EXPECT_EQ(AnsiFromWide(wide, ansi, codePage), expectExact) << codePage;
    return ansi;
}

}  // namespace

TEST(WideNames, OnlyNamesWithAnExactFormInTheCodePageConvert) {
    EXPECT_EQ(Ansi(L"C:\\\u00C4rger.exe", 1252), "C:\\\xC4rger.exe");
    EXPECT_EQ(Ansi(L"C:\\\u8868\u793A\\\u30BD\u30D5\u30C8", 932), "C:\\\x95\x5C\x8E\xA6\\\x83\x5C\x83\x74\x83\x67");
    EXPECT_EQ(Ansi(L"\u0418\u043A\u043E\u043D\u043A\u0438.ico", 932), "\x84\x49\x84\x7B\x84\x80\x84\x7E\x84\x7B\x84\x79.ico");
    EXPECT_EQ(Ansi(L"", 1252), "");
    // No character of its own, a look-alike ("\u0141" would become "L"), or no room in the code page.
    Ansi(L"\u0418\u043A\u043E\u043D\u043A\u0438.ico", 1252, false);
    Ansi(L"\u0141\u00F3d\u017A.exe", 1252, false);
    Ansi(L"icon\U0001F600.ico", 932, false);
    Ansi(L"\u00E9t\u00E9.exe", 932, false);
    EXPECT_EQ(WideFromAnsi("\x95\x5C\x8E\xA6", 932), L"\u8868\u793A");
}

// Paths are the same when the file system would take them for the same name: letters of any
// script compare without case, and a second byte is never folded as if it were a letter.
TEST(WideNames, SamePathTextComparesCharactersWithoutCase) {
    struct Pair {
        const char* a;
        const char* b;
        unsigned codePage;
        bool same;
    };
    const Pair pairs[] = {
        {"C:\\Windows\\NOTEPAD.exe", "c:\\windows\\notepad.EXE", 1252, true},
        {"C:\\a", "C:\\a\\", 1252, false},
        {"C:\\a", "C:\\", 1252, false},
        {"", "", 1252, true},
        {"[", "{", 1252, false},  // 0x5B and 0x7B differ by 32 but are not letters
        {"C:\\\xC4.exe", "C:\\\xE4.exe", 1252, true},  // one name to the file system
        {"C:\\\x83\x41.exe", "C:\\\x83\x61.exe", 932, false},  // two names whose second bytes are 'A' and 'a'
        {"C:\\\x84\x49.exe", "C:\\\x84\x79.exe", 932, true},  // Cyrillic capital and small I
    };
    for (const Pair& pair : pairs) {
        EXPECT_EQ(SamePathText(pair.a, pair.b, pair.codePage), pair.same) << pair.a << " " << pair.b;
        EXPECT_EQ(PathKey(pair.a, pair.codePage) == PathKey(pair.b, pair.codePage), pair.same) << pair.a;
    }
}

TEST(WideNames, LeadBytesAreTheSystemsOwn) {
    for (unsigned codePage : {932u, 936u, 949u, 950u, 1252u, 1251u})
        for (int c = 0; c < 256; ++c)
            ASSERT_EQ(IsLeadByte(codePage, static_cast<unsigned char>(c)),
                      IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != FALSE)
                << "code page " << codePage << " byte " << c;
}
