// Icon groups of 16-bit (NE) modules, which the system will not load as data modules: the file
// is read directly, group s being the s-th icon group of its resource table. Every call opens
// the file, works and closes it; nothing is kept between calls. An ICO file given as a source
// is refused.
#pragma once
#include <functional>
#include <string>

#include "engine/ExportResult.h"

// Writes icon group s as an ICO file at outputPath, replacing a file of that name only once the
// new one is complete. A source whose bytes are an ICO file, whatever its name, is refused with
// its message; write failures are reported by the writer; a group or module that cannot be read
// writes nothing and shows nothing.
GroupExport NeExportGroup(const char* sourcePath, const char* outputPath, int s);

// Writes every icon group into folder (ending in a backslash) as displayName_NNN.ico, in
// table order, replacing files of those names. A group that cannot be read is counted and
// skipped (the others keep their numbers); the first write failure ends the export, files
// written before it stay.
ExportTally NeExportAllGroups(const char* sourcePath, const char* folder);

// Sets text to the summary of group s (empty when there is none). True when the module was
// read.
bool NeDescribeGroup(const char* sourcePath, std::string& text, int s);

// Hands each icon group's name and summary to `group`, in table order. True when the module
// was read.
bool NeListGroups(const char* sourcePath,
                  const std::function<void(const std::string& name, const std::string& summary)>& group);
