#include "engine/IconSource.h"

#ifdef _WIN32
#include <commdlg.h>
#endif

#include <cstdio>

#include "engine/ModuleGroups.h"
#include "engine/NeReader.h"
#include "engine/SourceReading.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

GroupExport ExportIconGroup(const char* sourcePath, NameListBox nameList, int index, const char* outputPath) {
    // A group the view shows but the module no longer holds is one that cannot be read.
    GroupExport exported = GroupExport::Unread;
    const bool loaded = WithModuleGroups(
        sourcePath, nameList, [&](const ModuleGroups& groups) { exported = groups.Export(index, outputPath); });
    return loaded ? exported : NeExportGroup(sourcePath, outputPath, index);
}

ExportTally ExportAllIconGroups(const char* sourcePath, NameListBox nameList, const char* folder) {
    ExportTally tally;
    tally.read = WithModuleGroups(sourcePath, nameList, [&](const ModuleGroups& groups) {
        const std::string displayName = SourceDisplayName(sourcePath);
        tally.groups = groups.Count();
        for (int i = 0; i < tally.groups; ++i) {
            const GroupExport exported = groups.Export(i, GroupFileName(folder, displayName, i).c_str());
            if (exported == GroupExport::Unread) ++tally.unread;
            if (exported == GroupExport::Reported) tally.failed = true;
        }
    });
    return tally.read ? tally : NeExportAllGroups(sourcePath, folder);
}

int CountIconGroups(const char* sourcePath) {
    return SourceReading(sourcePath).IconCount();
}

bool DescribeIconGroup(const char* sourcePath, NameListBox nameList, int index, std::string& text) {
    text.clear();
    bool described = false;
    const bool loaded = WithModuleGroups(sourcePath, nameList,
                                         [&](const ModuleGroups& groups) { described = groups.Describe(index, text); });
    if (loaded) return described;
    return NeDescribeGroup(sourcePath, text, index) && !text.empty();
}

bool ListIconGroups(const char* sourcePath, NameListBox nameList,
                    const std::function<void(int index, const std::string& name, const std::string& summary)>& group) {
    const bool loaded = WithModuleGroups(sourcePath, nameList, [&](const ModuleGroups& groups) {
        for (int i = 0; i < groups.Count(); ++i) {
            std::string summary;
            groups.Describe(i, summary);
            group(i, groups.Line(i), summary);
        }
    });
    if (loaded) return true;
    int index = 0;
    return NeListGroups(sourcePath,
                        [&](const std::string& name, const std::string& summary) { group(index++, name, summary); });
}

std::string SourceDisplayName(const char* sourcePath) {
#ifdef _WIN32
    char name[PathBufferSize] = {};
    if (!ShellDisplayName(sourcePath, name) && GetFileTitleA(sourcePath, name, PathBufferSize) != 0) name[0] = '\0';
    CutAtFirstDot(name);
    return name;
#else
    const std::string path = sourcePath;
    const std::string name = path.substr(path.find_last_of('/') + 1);
    return name.substr(0, name.find('.'));
#endif
}

std::string GroupFileName(const char* folder, const std::string& displayName, int index) {
    char number[16];
    std::snprintf(number, sizeof number, "_%.3d", index);
    return std::string(folder) + displayName + number + ".ico";
}
