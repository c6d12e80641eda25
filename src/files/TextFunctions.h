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

constexpr int PathBufferSize = 260;
constexpr int MaxPathLength = PathBufferSize - 1;

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

// True when the texts are equal with ASCII letters compared without regard to case; every
// other byte compares as it is. This is how paths are told apart.
bool SamePathText(const char* a, const char* b);

// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(const std::u16string& text);
