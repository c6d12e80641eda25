#include "engine/NeReader.h"

#include <vector>

#include "engine/EngineMessages.h"
#include "engine/IcoFile.h"
#include "engine/IconPicture.h"
#include "engine/IconSource.h"
#include "engine/MappedFile.h"
#include "engine/NeModule.h"

namespace {

// The walked resource table of a source; false when it is not a 16-bit module that can be read.
// A module without a resource table has no icon groups.
bool Walk(const MappedFile& source, NeResourceTable& table) {
    const NeWalk walk = WalkNeModule(source.Bytes(), table);
    return walk == NeWalk::Walked || walk == NeWalk::NoResourceTable;
}

// A source whose bytes read as an ICO file, whatever its name, is refused with a message.
bool RefusedIcoFile(const MappedFile& source, const char* sourcePath) {
    std::vector<IconCandidate> candidates;
    std::vector<ByteSpan> images;
    if (!IcoFileCandidates(source.Bytes(), candidates, images)) return false;
    ReportIconFileSource(sourcePath);
    return true;
}

}  // namespace

GroupExport NeExportGroup(const char* sourcePath, const char* outputPath, int s) {
    if (!sourcePath || !sourcePath[0] || s < 0) return GroupExport::Unread;
    const MappedFile source(sourcePath);
    NeResourceTable table;
    if (!Walk(source, table)) return RefusedIcoFile(source, sourcePath) ? GroupExport::Reported : GroupExport::Unread;
    std::vector<unsigned char> ico;
    if (NeGroupIcoBytes(source.Bytes(), table, static_cast<size_t>(s), ico) != NeGroup::Built)
        return GroupExport::Unread;
    return SaveIcoBytes(outputPath, ico) ? GroupExport::Written : GroupExport::Reported;
}

ExportTally NeExportAllGroups(const char* sourcePath, const char* folder) {
    ExportTally tally;
    if (!sourcePath || !sourcePath[0]) return tally;
    const MappedFile source(sourcePath);
    NeResourceTable table;
    if (!Walk(source, table)) {
        tally.failed = RefusedIcoFile(source, sourcePath);
        return tally;
    }
    const std::string displayName = SourceDisplayName(sourcePath);
    tally.read = true;
    tally.groups = static_cast<int>(table.groups.size());
    // A group that cannot be read is skipped; the later ones keep their numbers, so that every
    // file is named after its group's place in the view. A write failure ends the export.
    for (size_t k = 0; k < table.groups.size(); ++k) {
        std::vector<unsigned char> ico;
        if (NeGroupIcoBytes(source.Bytes(), table, k, ico) != NeGroup::Built) {
            ++tally.unread;
            continue;
        }
        if (!SaveIcoBytes(GroupFileName(folder, displayName, static_cast<int>(k)).c_str(), ico)) {
            tally.failed = true;
            break;
        }
    }
    return tally;
}

bool NeDescribeGroup(const char* sourcePath, std::string& text, int s) {
    text.clear();
    if (!sourcePath || !sourcePath[0] || s < 0) return false;
    const MappedFile source(sourcePath);
    NeResourceTable table;
    if (!Walk(source, table)) return false;
    NeGroupSummary(source.Bytes(), table, static_cast<size_t>(s), text);
    return true;
}

bool NeListGroups(const char* sourcePath,
                  const std::function<void(const std::string& name, const std::string& summary)>& group) {
    if (!sourcePath || !sourcePath[0]) return false;
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
