// Icon groups of 32-bit and 64-bit modules, read from the file's bytes (SourceReading.h).
//
// Every command takes the same road (WithModuleGroups): read the source, list its icon-group
// names in the group-name list box in the order the system enumerates them, which is the order
// in which the shell numbers a file's icons, work on line i for icon i, then clear the list.
// Line i and group i come from the same reading, so they always agree.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/ExportResult.h"
#include "engine/IconRecord.h"
#include "engine/NameListBox.h"
#include "engine/SourceReading.h"

// The text of a group's name: an integer identifier as its decimal digits ("%u"), a string
// name as it is (in the system's code page on Windows, in UTF-8 on Linux).
std::string GroupNameText(const PeGroupName& name);

#ifdef _WIN32
// Adds GroupNameText of the name to the list box, whatever its length. False when the list
// refuses it.
bool CollectGroupName(HWND nameList, const PeGroupName& name);
#endif

// The record of group `index` of the module, or null. Missing or unsound data fails silently;
// with `report`, running out of memory and a failed pointer setup are reported with the module
// path as caption.
IconResourcePtr LoadIconGroup(const PeIconModule& module, const char* modulePath, int index, bool report);

// Loads the group and writes it as an ICO file at outputPath; the writer reports its own
// failures.
GroupExport ExportGroupToIco(const PeIconModule& module, const char* modulePath, int index, const char* outputPath);

// Loads the group silently and sets text to its summary; false leaves text empty.
bool DescribeGroup(const PeIconModule& module, const char* modulePath, int index, std::string& text);

// The icon groups of one module, as listed in the group-name list. Without a list (a program
// with no window, such as the console exporter) the names are kept here, in the same order.
class ModuleGroups {
public:
    ModuleGroups(const PeIconModule& module, const char* sourcePath, NameListBox nameList);
    const char* SourcePath() const { return sourcePath; }
    int Count() const;
    std::string Line(int i) const;  // empty when there is no line i
    GroupExport Export(int i, const char* outputPath) const;
    bool Describe(int i, std::string& text) const;

private:
    const PeIconModule& module;
    const char* sourcePath;
    NameListBox nameList;
    std::vector<std::string> lines;  // only without a list
};

// Lists the icon groups of the reading of sourcePath in nameList (when there is one), calls work
// when there is at least one, then clears the list, also when work throws. False when the
// reading is not of a 32- or 64-bit module whose resource directory can be read.
bool WithModuleGroups(const SourceReading& reading, const char* sourcePath, NameListBox nameList,
                      const std::function<void(const ModuleGroups&)>& work);
