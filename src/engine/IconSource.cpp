#include "engine/IconSource.h"

#include "engine/EngineMessages.h"
#include "engine/ModuleGroups.h"
#include "engine/NeReader.h"
#include "engine/SourceReading.h"

GroupExport ExportIconGroup(const char* sourcePath, int index, const char* outputPath,
                            const GroupNameListing& listing) {
    const SourceReading reading(sourcePath);
    switch (reading.GetKind()) {
    case SourceReading::Kind::Pe: {
        // A group the view shows but the module no longer holds is one that cannot be read.
        GroupExport exported = GroupExport::Unread;
        WithModuleGroups(reading, sourcePath, listing,
                         [&](const ModuleGroups& groups) { exported = groups.Export(index, outputPath); });
        return exported;
    }
    case SourceReading::Kind::Ne: return NeExportGroup(reading, outputPath, index);
    case SourceReading::Kind::Ico:
        if (index < 0) break;
        ReportIconFileSource(sourcePath);
        return GroupExport::Reported;
    case SourceReading::Kind::None: break;
    }
    return GroupExport::Unread;
}

ExportTally ExportAllIconGroups(const char* sourcePath, const char* folder, const GroupNameListing& listing) {
    return ExportAllIconGroups(SourceReading(sourcePath), sourcePath, folder, listing);
}

ExportTally ExportAllIconGroups(const SourceReading& reading, const char* sourcePath, const char* folder,
                                const GroupNameListing& listing) {
    ExportTally tally;
    switch (reading.GetKind()) {
    case SourceReading::Kind::Pe:
        tally.read = WithModuleGroups(reading, sourcePath, listing, [&](const ModuleGroups& groups) {
            const std::string displayName = SourceDisplayName(sourcePath);
            tally.groups = groups.Count();
            for (int i = 0; i < tally.groups && !tally.stopped; ++i)
                tally.Count(groups.Export(i, GroupFileName(folder, displayName, i).c_str()));
        });
        break;
    case SourceReading::Kind::Ne: return NeExportAllGroups(reading, SourceDisplayName(sourcePath), folder);
    case SourceReading::Kind::Ico:
        ReportIconFileSource(sourcePath);
        tally.failed = true;
        break;
    case SourceReading::Kind::None: break;
    }
    return tally;
}

bool DescribeIconGroup(const char* sourcePath, int index, std::string& text, const GroupNameListing& listing) {
    text.clear();
    const SourceReading reading(sourcePath);
    bool described = false;
    if (reading.GetKind() == SourceReading::Kind::Pe)
        WithModuleGroups(reading, sourcePath, listing,
                         [&](const ModuleGroups& groups) { described = groups.Describe(index, text); });
    else if (reading.GetKind() == SourceReading::Kind::Ne)
        described = NeDescribeGroup(reading, text, index) && !text.empty();
    return described;
}

bool ListIconGroups(const char* sourcePath,
                    const std::function<void(int index, const std::string& name, const std::string& summary)>& group) {
    const SourceReading reading(sourcePath);
    if (reading.GetKind() == SourceReading::Kind::Ne) {
        int index = 0;
        NeListGroups(reading,
                     [&](const std::string& name, const std::string& summary) { group(index++, name, summary); });
        return true;
    }
    return WithModuleGroups(reading, sourcePath, {}, [&](const ModuleGroups& groups) {
        for (int i = 0; i < groups.Count(); ++i) {
            std::string summary;
            groups.Describe(i, summary);
            group(i, groups.Line(i), summary);
        }
    });
}
