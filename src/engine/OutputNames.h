// The names of the files the exports write.
#pragma once
#include <string>

// The base of output file names: the shell's display name of the source, or else its file
// title, cut at its first period ("C:\x\my.tool.exe" gives "my"). On Linux the file's name
// cut at its first period.
std::string SourceDisplayName(const char* sourcePath);

// folder + displayName + "_" + the index in at least three digits + ".ico".
std::string GroupFileName(const char* folder, const std::string& displayName, int index);
