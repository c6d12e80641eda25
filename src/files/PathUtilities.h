#pragma once

// File-system helpers over ANSI paths. Every path and output buffer holds
// PathBufferSize (260) bytes; see files/TextFunctions.h for the buffer rules.
// None of these functions shows a message; failures are reported by result.

// True when path names an existing file or directory. A trailing backslash is
// ignored, drive roots ("C:\" or "C:") count as existing, and a path with
// wildcards counts as existing when anything matches it. An empty path, or
// one longer than MaxPathLength, does not exist.
bool PathExists(const char* path);

// Creates every missing directory of path, from its deepest existing ancestor
// downwards; relative paths start at the current directory. Blanks around the
// path, and blanks at either side of a backslash where a directory had to be
// made, are dropped from the directories and from path itself, which keeps
// the cleaned text on success. Directories made before a failure stay.
// A path longer than MaxPathLength gives false.
bool CreateDirectoryPath(char* path);

// Writes the name the shell shows for path into output. When the shell has no
// name for it, output is empty and the answer is false.
bool ShellDisplayName(const char* path, char* output);

// Rebuilds a directory path (ending in a backslash) so that each component
// after the drive root carries the shell's display name; short 8.3 names come
// back long ("C:\PROGRA~1\" becomes "C:\Program Files\"). Anything after the
// last backslash is dropped. Output is the input unchanged when the path has
// no drive root, when a component has no display name, or when the rebuilt
// path does not fit or does not exist. An input longer than MaxPathLength
// gives the empty output.
void DisplayNamePath(const char* directory, char* output);
