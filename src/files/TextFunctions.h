#pragma once
#include <string>

// Small helpers over 8-bit, NUL-terminated texts, used by the path and file
// code. They are plain C++ so that they can also be built and tested natively.
//
// A blank is the space character (0x20) only; tabs are ordinary characters.
//
// Buffer contract: every path or output buffer a caller hands in holds
// PathBufferSize bytes, so a text fits when it has at most MaxPathLength
// characters. No function ever writes past PathBufferSize bytes, whatever
// text it is given:
//  - in-place functions that only shrink a text (TrimBlanks, StripQuotes,
//    CutAtFirstDot, RemoveTrailingBackslash) work on texts of any length;
//  - an in-place function whose result would not fit leaves the text
//    unchanged (AppendBackslash on a 259-character text does nothing);
//  - functions that write into a separate output (RightChars, DirectoryPart)
//    write the empty text when their input is longer than MaxPathLength or
//    their result would not fit.
// A null text counts as empty; a null output is left alone.
//
// Texts are in TextCodePage(). In a double-byte code page the second byte of a
// character may be 0x5C, the backslash, so the functions that look for a
// backslash step through a text a character at a time. Only the backslash can
// be such a second byte: blanks, quotes, periods, colons and '/' are all below
// 0x40.

constexpr int PathBufferSize = 260;
constexpr int MaxPathLength = PathBufferSize - 1;

// The code page of the program's 8-bit texts: the system's ANSI code page on
// Windows, UTF-8 (65001) elsewhere.
unsigned TextCodePage();
// Makes TextCodePage() answer codePage (0: the system's again), so that tests
// can work in any code page; returns the code page set before.
unsigned SetTextCodePageForTesting(unsigned codePage);

// True when c begins a two-byte character in codePage. Of the code pages a
// system may use for its 8-bit texts, 932, 936, 949 and 950 have such bytes.
bool IsLeadByte(unsigned codePage, unsigned char c);

// Bytes of the character at text: 2 for a lead byte followed by its second
// byte, otherwise 1 (0 at the terminating NUL).
int CharLength(const char* text);

// Index of the last backslash of text that is a character of its own, or -1.
int LastBackslash(const char* text);

// True when the last character of text is a backslash.
bool EndsWithBackslash(const char* text);

// The file name of path: what follows its last backslash, '/' or ':' ("C:\dir\a.exe" gives
// "a.exe"), or the whole text when it has none.
const char* FileNamePart(const char* path);

// Number of characters before the terminating NUL, but never more than
// limit; reads at most limit + 1 bytes. Lets callers tell whether a text fits
// a path buffer without scanning an overlong text to its end.
int BoundedLength(const char* text, int limit);

// Removes leading and trailing blanks; a text of blanks only becomes empty.
void TrimBlanks(char* text);

// Removes every leading and trailing double quote; inner quotes stay.
void StripQuotes(char* text);

// Writes the last n characters of text into output (all of them when n is the
// length). When n is negative or larger than the length the output is empty.
void RightChars(char* output, const char* text, int n);

// Ends the text at its first period ("a.b.c" becomes "a").
void CutAtFirstDot(char* text);

// Appends a backslash unless the text already ends in one; "" becomes "\".
void AppendBackslash(char* text);

// Removes one trailing backslash, if there is one ("C:\" becomes "C:").
void RemoveTrailingBackslash(char* text);

// Writes the directory of path, ending in a backslash, into output:
// "C:\dir\file.exe" gives "C:\dir\", a path that already ends in a backslash
// comes back unchanged, and a text without a backslash after its first
// character is taken as a directory name ("file.exe" gives "file.exe\").
// An empty path gives the empty output.
void DirectoryPart(char* output, const char* path);

// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(const std::u16string& text);

// The system's side (TextFunctionsWindows.cpp, TextFunctionsPosix.cpp): its code page (the ANSI
// code page on Windows, UTF-8 on Linux), and UTF-16 text in that code page.
unsigned SystemCodePage();
std::string SystemTextFromUtf16(const std::u16string& text);
