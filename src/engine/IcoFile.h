// Writing ICO files to disk. A file is either written whole or not left behind: a write that
// fails after the file was created removes it again.
#pragma once
#include <windows.h>

#include <vector>

#include "engine/IconRecord.h"

// Creates (or replaces) the file at path and writes bytes into it. Reports "Error Opening File
// for Writing" when it cannot be created, and "Error Writing ICO File" when a write fails, after
// removing the partial file; the output path is the caption. True when the file is complete.
bool SaveIcoBytes(const char* path, const std::vector<unsigned char>& bytes);

// Writes the record as an ICO file at path (the layout of IcoFileBytes), reporting every
// failure itself. True when the file is complete.
bool WriteIcoFile(const IconResource& record, const char* path);

// For tests: replaces the function that writes to the open file, to make writes fail. Answers
// the previous one; null restores WriteFile.
using FileWriteFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
FileWriteFunction SetIcoFileWriterForTesting(FileWriteFunction writer);
