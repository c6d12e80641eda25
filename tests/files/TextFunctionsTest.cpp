#include "files/TextFunctions.h"
#include "support/TestSeam.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A heap buffer of exactly `size` bytes holding text, so that a write past its
// end is caught by AddressSanitizer in the native build.
std::vector<char> Buffer(const std::string& text, std::size_t size = PathBufferSize) {
    std::vector<char> buffer(size, 'X');
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    return buffer;
}

template <typename Function>
std::string InPlace(Function function, const std::string& text) {
    std::vector<char> buffer = Buffer(text, text.size() < PathBufferSize ? PathBufferSize : text.size() + 1);
    function(buffer.data());
    return buffer.data();
}

std::string Right(const std::string& text, int n) {
    std::vector<char> output = Buffer("previous");
    RightChars(output.data(), text.c_str(), n);
    return output.data();
}

std::string Directory(const std::string& path) {
    std::vector<char> output = Buffer("previous");
    DirectoryPart(output.data(), path.c_str());
    return output.data();
}

}  // namespace

TEST(TextFunctions, TrimBlanksRemovesSpacesOnlyAtBothEnds) {
    EXPECT_EQ(InPlace(TrimBlanks, "  a b  "), "a b");
    EXPECT_EQ(InPlace(TrimBlanks, "abc"), "abc");
    EXPECT_EQ(InPlace(TrimBlanks, "   "), "");
    EXPECT_EQ(InPlace(TrimBlanks, ""), "");
    EXPECT_EQ(InPlace(TrimBlanks, " x"), "x");
    EXPECT_EQ(InPlace(TrimBlanks, "x "), "x");
    // Tabs are not blanks.
    EXPECT_EQ(InPlace(TrimBlanks, "\tx\t"), "\tx\t");
    EXPECT_EQ(InPlace(TrimBlanks, " \t x \t "), "\t x \t");
}

TEST(TextFunctions, StripQuotesRemovesOuterQuotesOnly) {
    EXPECT_EQ(InPlace(StripQuotes, "\"C:\\x\""), "C:\\x");
    EXPECT_EQ(InPlace(StripQuotes, "\"\"two\"\""), "two");
    EXPECT_EQ(InPlace(StripQuotes, "\"a\"b\""), "a\"b");
    EXPECT_EQ(InPlace(StripQuotes, "\"open"), "open");
    EXPECT_EQ(InPlace(StripQuotes, "\"\"\""), "");
    EXPECT_EQ(InPlace(StripQuotes, " \"kept\" "), " \"kept\" ");
}

TEST(TextFunctions, RightCharsTakesTheTailOrNothing) {
    EXPECT_EQ(Right("shell32.ico", 4), ".ico");
    EXPECT_EQ(Right(".ico", 4), ".ico");
    EXPECT_EQ(Right("ico", 4), "");  // too short: empty, not the whole text
    EXPECT_EQ(Right("abc", 0), "");
    EXPECT_EQ(Right("abc", -1), "");
    EXPECT_EQ(Right("", 0), "");
    EXPECT_EQ(Right("", 1), "");
}

TEST(TextFunctions, CutAtFirstDotEndsTheTextAtItsFirstPeriod) {
    EXPECT_EQ(InPlace(CutAtFirstDot, "a.b.c"), "a");
    EXPECT_EQ(InPlace(CutAtFirstDot, "shell32.dll"), "shell32");
    EXPECT_EQ(InPlace(CutAtFirstDot, ".x"), "");
    EXPECT_EQ(InPlace(CutAtFirstDot, "name"), "name");
    EXPECT_EQ(InPlace(CutAtFirstDot, ""), "");
}

TEST(TextFunctions, TrailingBackslashIsAddedAndRemovedOnce) {
    EXPECT_EQ(InPlace(AppendBackslash, "C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(InPlace(AppendBackslash, "C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(InPlace(AppendBackslash, ""), "\\");

    EXPECT_EQ(InPlace(RemoveTrailingBackslash, "C:\\"), "C:");
    EXPECT_EQ(InPlace(RemoveTrailingBackslash, "C:\\dir\\\\"), "C:\\dir\\");
    EXPECT_EQ(InPlace(RemoveTrailingBackslash, "C:\\dir"), "C:\\dir");
    EXPECT_EQ(InPlace(RemoveTrailingBackslash, "\\"), "");
    EXPECT_EQ(InPlace(RemoveTrailingBackslash, ""), "");
}

TEST(TextFunctions, DirectoryPartKeepsEverythingUpToTheLastBackslash) {
    EXPECT_EQ(Directory("C:\\dir\\file.exe"), "C:\\dir\\");
    EXPECT_EQ(Directory("C:\\file.exe"), "C:\\");
    EXPECT_EQ(Directory("C:\\dir\\sub\\"), "C:\\dir\\sub\\");
    EXPECT_EQ(Directory("file.exe"), "file.exe\\");
    EXPECT_EQ(Directory(""), "");
    EXPECT_EQ(Directory("\\"), "\\");
    EXPECT_EQ(Directory("a"), "a\\");
    // The first character is never a cut point.
    EXPECT_EQ(Directory("\\file.exe"), "\\file.exe\\");
    EXPECT_EQ(Directory("a\\b"), "a\\");
}

TEST(TextFunctions, BoundedLengthStopsAtTheLimit) {
    EXPECT_EQ(BoundedLength("", 10), 0);
    EXPECT_EQ(BoundedLength("abc", 10), 3);
    EXPECT_EQ(BoundedLength("abc", 3), 3);
    EXPECT_EQ(BoundedLength("abcdef", 3), 3);
    EXPECT_EQ(BoundedLength(nullptr, 3), 0);
}

// Every buffer below ends exactly where a caller's 260-byte buffer would, so
// any write past it is reported by AddressSanitizer.
TEST(TextFunctions, FullLengthTextsStayInsideTheirBuffers) {
    const std::string full(MaxPathLength, 'a');  // 259 characters
    const std::string fullDirectory = std::string(MaxPathLength - 1, 'a') + "\\";

    // Growing a full text would overflow: it stays as it is.
    EXPECT_EQ(InPlace(AppendBackslash, full), full);
    EXPECT_EQ(InPlace(AppendBackslash, full.substr(1)), full.substr(1) + "\\");
    EXPECT_EQ(InPlace(AppendBackslash, fullDirectory), fullDirectory);

    EXPECT_EQ(InPlace(TrimBlanks, full), full);
    EXPECT_EQ(InPlace(StripQuotes, full), full);
    EXPECT_EQ(InPlace(CutAtFirstDot, full), full);
    EXPECT_EQ(InPlace(RemoveTrailingBackslash, fullDirectory), fullDirectory.substr(0, MaxPathLength - 1));

    EXPECT_EQ(Right(full, MaxPathLength), full);
    EXPECT_EQ(Right(full, 1), "a");
    EXPECT_EQ(Right(full, MaxPathLength + 1), "");

    // No backslash to cut at, and no room to add one: empty output.
    EXPECT_EQ(Directory(full), "");
    EXPECT_EQ(Directory(full.substr(1)), full.substr(1) + "\\");
    EXPECT_EQ(Directory(fullDirectory), fullDirectory);
    EXPECT_EQ(Directory("C:\\" + std::string(MaxPathLength - 3, 'a')), "C:\\");
}

TEST(TextFunctions, OverlongInputsNeverSpillIntoAPathBuffer) {
    const std::string overlong = "C:\\" + std::string(297, 'b');  // 300 characters

    // Output functions refuse input that could not have come from a path buffer.
    EXPECT_EQ(Right(overlong, 4), "");
    EXPECT_EQ(Right(overlong, 300), "");
    EXPECT_EQ(Directory(overlong), "");
    EXPECT_EQ(Directory(overlong + "\\"), "");

    // Growing an overlong text is refused; shrinking works at any length.
    EXPECT_EQ(InPlace(AppendBackslash, overlong), overlong);
    EXPECT_EQ(InPlace(TrimBlanks, "  " + overlong + "  "), overlong);
    EXPECT_EQ(InPlace(StripQuotes, "\"" + overlong + "\""), overlong);
    EXPECT_EQ(InPlace(RemoveTrailingBackslash, overlong + "\\"), overlong);
    EXPECT_EQ(InPlace(CutAtFirstDot, overlong + ".ico"), overlong);
}

TEST(TextFunctions, EmptyTextsStayEmptyInTinyBuffers) {
    // One byte is all an empty text needs unless the function adds to it.
    for (void (*function)(char*) : {TrimBlanks, StripQuotes, CutAtFirstDot, RemoveTrailingBackslash}) {
        std::vector<char> tiny(1, '\0');
        function(tiny.data());
        EXPECT_EQ(tiny[0], '\0');
    }
    std::vector<char> two(2, '\0');
    AppendBackslash(two.data());
    EXPECT_STREQ(two.data(), "\\");

    std::vector<char> output(1, 'X');
    RightChars(output.data(), "", 0);
    EXPECT_EQ(output[0], '\0');
    output[0] = 'X';
    DirectoryPart(output.data(), "");
    EXPECT_EQ(output[0], '\0');
}

// In code page 932 the second byte of many characters is 0x5C, the backslash: 表 is 0x95 0x5C and
// ソ 0x83 0x5C. Such a byte neither ends a folder nor begins a file name.
TEST(TextFunctions, TheSecondByteOfACharacterIsNoBackslash) {
    const std::string table = "\x95\x5C", software = "\x83\x5C\x83\x74\x83\x67";  // 表, ソフト
    {
        const TestSeam japanese(SetTextCodePageForTesting, 932u);
        EXPECT_EQ(InPlace(AppendBackslash, "D:\\" + table), "D:\\" + table + "\\");
        EXPECT_EQ(InPlace(AppendBackslash, "D:\\" + table + "\\"), "D:\\" + table + "\\");
        EXPECT_EQ(InPlace(RemoveTrailingBackslash, "D:\\" + software), "D:\\" + software);
        EXPECT_EQ(InPlace(RemoveTrailingBackslash, "D:\\" + table + "\\"), "D:\\" + table);
        EXPECT_EQ(Directory("D:\\" + table + "\\" + software + ".exe"), "D:\\" + table + "\\");
        EXPECT_EQ(Directory("D:\\" + software), "D:\\");
        EXPECT_EQ(Directory("D:\\" + table + "\\"), "D:\\" + table + "\\");
        EXPECT_EQ(Directory(table + software), table + software + "\\");
        EXPECT_EQ(LastBackslash(("D:\\" + table).c_str()), 2);
        EXPECT_STREQ(FileNamePart(("D:\\" + table + "\\" + software).c_str()), software.c_str());
        // A lead byte at the very end stands alone.
        EXPECT_EQ(CharLength("\x95"), 1);
        EXPECT_FALSE(EndsWithBackslash("\x95"));
    }
    // The same bytes in a code page of single bytes are two characters, the second a backslash.
    const TestSeam western(SetTextCodePageForTesting, 1252u);
    EXPECT_EQ(LastBackslash(table.c_str()), 1);
    EXPECT_EQ(Directory("D:\\" + software), "D:\\\x83\\");
}
