// Icon groups of 32-bit modules, read through the system's resource functions from a module
// loaded as a data file.
//
// Every command takes the same road (WithModuleGroups): load the source as a data module, list
// its icon-group names in the group-name list box in the order the system enumerates them,
// which is the order in which the shell numbers a file's icons, work on line i for icon i, then
// free the module and clear the list.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "engine/IconRecord.h"

// The enumeration callback: adds the group's name to the list box passed as `nameList`, an
// integer identifier as its decimal digits ("%u"), a string name as it is, whatever its length.
BOOL CALLBACK CollectGroupName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR nameList);

// The resource name that a line of the list stands for.
class GroupName {
public:
    explicit GroupName(std::string line);
    // Digits stand for an integer identifier (their low 16 bits), any other text for itself.
    LPCSTR ResourceName() const;
    bool IsInteger() const { return integer; }
    const std::string& Text() const { return text; }

private:
    std::string text;
    bool integer;
    WORD id;
};

GroupName ResolveGroupName(const std::string& line);

// The record of the named group, or null. A string name made only of digits is listed like an
// integer identifier; when no group has that identifier the string name is tried too. Missing
// or unsound data fails silently; with `report`, running out of memory and a failed pointer
// setup are reported with the module path as caption.
IconResourcePtr LoadIconGroup(HMODULE module, const char* modulePath, const GroupName& name, bool report);

// Loads the group and writes it as an ICO file at outputPath. True when the group loaded,
// whatever the writer then did: the writer reports its own failures.
bool ExportGroupToIco(HMODULE module, const char* modulePath, const GroupName& name, const char* outputPath);

// Loads the group silently and sets text to its summary; false leaves text empty.
bool DescribeGroup(HMODULE module, const char* modulePath, const GroupName& name, std::string& text);

// The icon groups of one loaded module, as listed in the group-name list.
class ModuleGroups {
public:
    ModuleGroups(HMODULE module, const char* sourcePath, HWND nameList);
    HMODULE Module() const { return module; }
    const char* SourcePath() const { return sourcePath; }
    int Count() const;
    std::string Line(int i) const;  // empty when there is no line i
    bool Export(int i, const char* outputPath) const;
    bool Describe(int i, std::string& text) const;

private:
    HMODULE module;
    const char* sourcePath;
    HWND nameList;
};

// Loads the source as a data module, lists its icon groups in nameList, calls work when there
// is at least one, then frees the module and clears the list, also when work throws. False when
// the source does not load as a data module: 16-bit modules and ICO files take the 16-bit road.
bool WithModuleGroups(const char* sourcePath, HWND nameList, const std::function<void(const ModuleGroups&)>& work);
