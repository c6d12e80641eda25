// Icon groups of 16-bit (NE) modules, which the system will not load as data modules: group s
// is the s-th icon group of the resource table that the source's reading holds (a reading of
// kind Ne, SourceReading.h).
#pragma once
#include <functional>
#include <string>

#include "engine/ExportResult.h"
#include "engine/SourceReading.h"

// Writes icon group s as an ICO file at outputPath, replacing a file of that name only once the
// new one is complete. Write failures are reported by the writer; a group that cannot be read
// writes nothing and shows nothing.
GroupExport NeExportGroup(const SourceReading& reading, const char* outputPath, int s);

// Writes every icon group into folder (ending in a backslash) as displayName_NNN.ico, in
// table order, replacing files of those names. A group that cannot be read is counted and
// skipped (the others keep their numbers); a file that cannot be written fails alone, and a
// folder that refuses a file ends the export, files written before it stay.
ExportTally NeExportAllGroups(const SourceReading& reading, const std::string& displayName, const char* folder);

// Sets text to the summary of group s (empty when there is none).
bool NeDescribeGroup(const SourceReading& reading, std::string& text, int s);

// Hands each icon group's name and summary to `group`, in table order.
void NeListGroups(const SourceReading& reading,
                  const std::function<void(const std::string& name, const std::string& summary)>& group);
