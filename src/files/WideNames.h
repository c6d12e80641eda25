// Names as the system gives them, in UTF-16, and as the program keeps them: 8-bit texts in its
// code page (TextCodePage). A name whose every character has an exact form there is used in that
// form; any other one cannot reach a file through the 8-bit functions and is refused whole.
#pragma once
#include <string>

#include "files/TextFunctions.h"

constexpr const char* NameNotUsable =
    "The file's name holds characters this program cannot use. Rename the file or its folder.";

// The 8-bit form of wide in codePage. False when a character has no exact form there: neither
// the default character nor a look-alike ("Ł" as "L" in code page 1252) is taken, since either
// would name another file, or none.
bool AnsiFromWide(const wchar_t* wide, std::string& ansi, unsigned codePage = TextCodePage());
// The wide form of `length` bytes of text in codePage, NULs inside it (a filter list's) kept;
// empty when it has none. The callers that name files through the system's 8-bit functions ask for
// the code page those use (FileApisCodePage).
std::wstring WideFromAnsi(const char* text, size_t length, unsigned codePage);
// The wide form of a text ending at its NUL.
std::wstring WideFromAnsi(const char* text, unsigned codePage = TextCodePage());
// The code page in which the system's 8-bit file functions take names: the console's for a program
// that asked for it (SetFileApisToOEM), otherwise the ANSI one.
unsigned FileApisCodePage();

// True when two paths name the same file as the file system tells names apart: their wide forms
// are compared a character at a time without regard to case, never byte by byte, where the second
// byte of a double-byte character could pass for a letter.
bool SamePathText(const char* a, const char* b, unsigned codePage = TextCodePage());
// The same text for exactly the paths that SamePathText takes as the same, for sets of paths.
std::wstring PathKey(const char* path, unsigned codePage = TextCodePage());
