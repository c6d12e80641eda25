// Icon groups of 32-bit and 64-bit modules, read from the file's bytes (SourceReading.h).
//
// Every command takes the same road (WithModuleGroups): read the source, keep its icon-group
// names in the order the system enumerates them, which is the order in which the shell numbers
// a file's icons, and work on line i for icon i. Line i and group i come from the same reading,
// so they always agree.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/ExportResult.h"
#include "engine/IconRecord.h"
#include "engine/SourceReading.h"

// The text of a group's name: an integer identifier as its decimal digits ("%u"), a string
// name as it is (in the system's code page on Windows, in UTF-8 on Linux).
std::string GroupNameText(const PeGroupName& name);

// Where a window lists the group names a command works on: called with the names once the
// module is read, before any group is worked on, and with none once the command is done with
// them (also when it fails).
using GroupNameListing = std::function<void(const std::vector<std::string>& names)>;

// The record of group `index` of the module, or null. Missing or unsound data fails silently;
// with `report`, running out of memory and a failed pointer setup are reported with the module
// path as caption.
IconResourcePtr LoadIconGroup(const PeIconModule& module, const char* modulePath, int index, bool report);

// Loads the group of the reading's module and writes it as an ICO file at outputPath; the writer
// reports its own failures. A group loaded while the source lost bytes is not written.
GroupExport ExportGroupToIco(const SourceReading& reading, const char* modulePath, int index, const char* outputPath);

// Loads the group silently and sets text to its summary; false leaves text empty.
bool DescribeGroup(const PeIconModule& module, const char* modulePath, int index, std::string& text);

// The icon groups of one module and their names, line i naming group i.
class ModuleGroups {
public:
    ModuleGroups(const SourceReading& reading, const char* sourcePath);
    const char* SourcePath() const { return sourcePath; }
    int Count() const { return static_cast<int>(lines.size()); }
    const std::vector<std::string>& Lines() const { return lines; }
    std::string Line(int i) const;  // empty when there is no line i
    GroupExport Export(int i, const char* outputPath) const;
    bool Describe(int i, std::string& text) const;

private:
    const SourceReading& reading;
    const PeIconModule& module;
    const char* sourcePath;
    std::vector<std::string> lines;
};

// Calls work on the icon groups of the reading of sourcePath when there is at least one, with
// their names in `listing` (when there is one) meanwhile. False when the reading is not of a 32-
// or 64-bit module whose resource directory can be read.
bool WithModuleGroups(const SourceReading& reading, const char* sourcePath, const GroupNameListing& listing,
                      const std::function<void(const ModuleGroups&)>& work);
