#include "engine/NeReader.h"

#include <vector>

#include "engine/IcoFile.h"
#include "engine/NeModule.h"
#include "engine/OutputNames.h"

GroupExport NeExportGroup(const SourceReading& reading, const char* outputPath, int s) {
    if (s < 0) return GroupExport::Unread;
    std::vector<unsigned char> ico;
    if (NeGroupIcoBytes(reading.Bytes(), reading.Table(), static_cast<size_t>(s), ico) != NeGroup::Built ||
        reading.Lost())
        return GroupExport::Unread;
    return SaveIcoBytes(outputPath, ico);
}

ExportTally NeExportAllGroups(const SourceReading& reading, const std::string& displayName, const char* folder) {
    ExportTally tally;
    const NeResourceTable& table = reading.Table();
    tally.read = true;
    tally.groups = static_cast<int>(table.groups.size());
    // A group that cannot be read is skipped; the later ones keep their numbers, so that every
    // file is named after its group's place in the view. A folder that refuses a file ends the
    // export.
    for (size_t k = 0; k < table.groups.size() && !tally.stopped; ++k) {
        std::vector<unsigned char> ico;
        if (NeGroupIcoBytes(reading.Bytes(), table, k, ico) != NeGroup::Built || reading.Lost())
            tally.Count(GroupExport::Unread);
        else
            tally.Count(SaveIcoBytes(GroupFileName(folder, displayName, static_cast<int>(k)).c_str(), ico));
    }
    return tally;
}

bool NeDescribeGroup(const SourceReading& reading, std::string& text, int s) {
    text.clear();
    if (s < 0) return false;
    NeGroupSummary(reading.Bytes(), reading.Table(), static_cast<size_t>(s), text);
    return true;
}

void NeListGroups(const SourceReading& reading,
                  const std::function<void(const std::string& name, const std::string& summary)>& group) {
    for (size_t s = 0; s < reading.Table().groups.size(); ++s) {
        std::string summary;
        NeGroupSummary(reading.Bytes(), reading.Table(), s, summary);
        group(NeGroupName(reading.Bytes(), reading.Table(), s), summary);
    }
}
