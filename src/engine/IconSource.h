// The road that every command takes to the icon groups of a source file: one reading of the file
// (SourceReading.h) decides its kind; a 32- or 64-bit module's groups are handled by
// ModuleGroups.h, a 16-bit module's by NeReader.h, and an ICO file is refused with its message.
// Icon i of a source is its i-th icon group, in the order the shell numbers its icons.
//
// A window that lists the names of the groups a command works on passes a GroupNameListing
// (ModuleGroups.h); a program without windows passes none. Failures that the user must hear
// about are reported through EngineMessages.h; the results tell the callers what happened.
#pragma once
#include <functional>
#include <string>

#include "engine/ExportResult.h"
#include "engine/ModuleGroups.h"
#include "engine/OutputNames.h"
#include "engine/SourceReading.h"

// Save As: writes icon `index` of the source as an ICO file at outputPath, replacing a file of
// that name only once the new one is complete.
GroupExport ExportIconGroup(const char* sourcePath, int index, const char* outputPath,
                            const GroupNameListing& listing = {});

// Save All: writes every icon group of the source into folder, which ends in a backslash, as
// GroupFileName(folder, SourceDisplayName(source), i), replacing files of those names. A group
// that cannot be read is counted and skipped (the others keep their numbers), a file that cannot
// be written fails alone, and a folder that refuses a file (ReplaceFile.h's FolderFailure) ends
// the export there.
ExportTally ExportAllIconGroups(const char* sourcePath, const char* folder, const GroupNameListing& listing = {});
// The same from a reading of sourcePath that the caller already holds.
ExportTally ExportAllIconGroups(const SourceReading& reading, const char* sourcePath, const char* folder,
                                const GroupNameListing& listing = {});

// Selection details: sets text to the summary of icon `index`, such as "32x32x16, 16x16x16".
// False, with text empty, when it cannot be described.
bool DescribeIconGroup(const char* sourcePath, int index, std::string& text, const GroupNameListing& listing = {});

// Every icon group in order: its name (GroupNameText, or a 16-bit module's group id) and its
// summary (empty when it cannot be read). False when the source could not be read as either
// kind of module.
bool ListIconGroups(const char* sourcePath,
                    const std::function<void(int index, const std::string& name, const std::string& summary)>& group);
