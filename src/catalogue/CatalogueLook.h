// The small icon and display name of a catalogue line, as the shell shows the file, asked
// without a shell call that opens the file wherever the registry allows it: under Wine such a
// call reads the whole file again, about 26 ms a file.
//
// The registry decides the small icon, as it does for the shell:
//   - a type whose registered icon is the file itself ("%1", such as programs): our reader's
//     16x16 picture of icon 0, picked and made as the system makes it;
//   - a type with an icon handler of its own, or an icon drawn from the file some other way:
//     the shell's per-file call, which may draw each file differently;
//   - any other type: the type's icon, asked once per extension by attributes and kept.
#pragma once
#include <windows.h>

#include "engine/SourceReading.h"

// A copy of the file's small icon for the caller to destroy, or nullptr. For a file that our
// readers accept whole.
HICON CatalogueSmallIcon(const char* path, const SourceReading& reading);

// The shell's display name of the file into name (MAX_PATH bytes), empty when it has none.
void CatalogueDisplayName(const char* path, char* name);
