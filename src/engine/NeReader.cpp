#include "engine/NeReader.h"

#include <windows.h>

#include <vector>

#include "engine/EngineMessages.h"
#include "engine/IcoFile.h"
#include "engine/IconSource.h"
#include "engine/MappedFile.h"
#include "engine/NeModule.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

namespace {

// The walked resource table of a source; false when it is not a 16-bit module that can be read.
// A module without a resource table has no icon groups.
bool Walk(const MappedFile& source, NeResourceTable& table) {
    const NeWalk walk = WalkNeModule(source.Bytes(), table);
    return walk == NeWalk::Walked || walk == NeWalk::NoResourceTable;
}

}  // namespace

bool IsIcoFileName(const char* path) {
    char last[PathBufferSize];
    RightChars(last, path, 4);
    return last[0] != '\0' && _stricmp(last, ".ico") == 0;
}

bool NeExportGroup(const char* sourcePath, const char* outputPath, int s) {
    if (IsIcoFileName(sourcePath)) {
        ReportIconFileSource(sourcePath);
        return false;
    }
    if (!sourcePath || !sourcePath[0] || s < 0) return false;
    const MappedFile source(sourcePath);
    NeResourceTable table;
    if (!Walk(source, table)) return false;
    std::vector<unsigned char> ico;
    switch (NeGroupIcoBytes(source.Bytes(), table, static_cast<size_t>(s), ico)) {
    case NeGroup::NoGroup: return true;
    case NeGroup::Invalid: return false;
    case NeGroup::Built: break;
    }
    return SaveIcoBytes(outputPath, ico);
}

bool NeExportAllGroups(const char* sourcePath, const char* folder) {
    if (IsIcoFileName(sourcePath)) {
        ReportIconFileSource(sourcePath);
        return false;
    }
    const std::string displayName = SourceDisplayName(sourcePath);
    if (!sourcePath || !sourcePath[0]) return false;
    const MappedFile source(sourcePath);
    NeResourceTable table;
    if (!Walk(source, table)) return false;
    // A group that cannot be read is skipped; the later ones keep their numbers, so that every
    // file is named after its group's place in the view. A write failure ends the export.
    bool everyGroup = true;
    for (size_t k = 0; k < table.groups.size(); ++k) {
        std::vector<unsigned char> ico;
        if (NeGroupIcoBytes(source.Bytes(), table, k, ico) != NeGroup::Built) {
            everyGroup = false;
            continue;
        }
        const std::string output = GroupFileName(folder, displayName, static_cast<int>(k));
        if (PathExists(output.c_str())) DeleteFileA(output.c_str());
        if (!SaveIcoBytes(output.c_str(), ico)) return false;
    }
    return everyGroup;
}

bool NeDescribeGroup(const char* sourcePath, std::string& text, int s) {
    text.clear();
    if (!sourcePath || !sourcePath[0] || IsIcoFileName(sourcePath) || s < 0) return false;
    const MappedFile source(sourcePath);
    NeResourceTable table;
    if (!Walk(source, table)) return false;
    NeGroupSummary(source.Bytes(), table, static_cast<size_t>(s), text);
    return true;
}

bool NeListGroups(const char* sourcePath,
                  const std::function<void(const std::string& name, const std::string& summary)>& group) {
    if (!sourcePath || !sourcePath[0] || IsIcoFileName(sourcePath)) return false;
    const MappedFile source(sourcePath);
    NeResourceTable table;
    if (!Walk(source, table)) return false;
    for (size_t s = 0; s < table.groups.size(); ++s) {
        std::string summary;
        NeGroupSummary(source.Bytes(), table, s, summary);
        group(NeGroupName(source.Bytes(), table, s), summary);
    }
    return true;
}
