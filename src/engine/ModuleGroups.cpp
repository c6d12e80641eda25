#include "engine/ModuleGroups.h"

#include <utility>

#include "engine/EngineMessages.h"
#include "engine/GroupDirectory.h"
#include "engine/IcoFile.h"
#include "files/TextFunctions.h"

std::string GroupNameText(const PeGroupName& name) {
    return name.integer ? std::to_string(name.id) : SystemTextFromUtf16(name.text);
}

namespace {

// Loads group `index`; with `report`, running out of memory and a failed pointer setup are
// reported with the module path as caption.
GroupLoad LoadGroup(const PeIconModule& module, const char* modulePath, int index, bool report,
                    IconResourcePtr& record) {
    if (index < 0 || static_cast<size_t>(index) >= module.groups.size()) return GroupLoad::Refused;
    const PeIconGroup& group = module.groups[static_cast<size_t>(index)];
    if (!group.found) return GroupLoad::Refused;
    const ImageFinder findImage = [&](uint16_t id, ByteSpan& image) { return module.FindImage(id, image); };
    const GroupLoad load = AssembleIconGroup(group.directory, findImage, modulePath, record);
    if (report && load == GroupLoad::OutOfMemory) ReportEngineFailure(modulePath, ErrorAllocatingMemory);
    if (report && load == GroupLoad::NotLinked) ReportEngineFailure(modulePath, ErrorConvertingToInternal);
    return load;
}

}  // namespace

IconResourcePtr LoadIconGroup(const PeIconModule& module, const char* modulePath, int index, bool report) {
    IconResourcePtr record;
    return LoadGroup(module, modulePath, index, report, record) == GroupLoad::Loaded ? std::move(record) : nullptr;
}

GroupExport ExportGroupToIco(const SourceReading& reading, const char* modulePath, int index, const char* outputPath) {
    const PeIconModule& module = reading.Module();
    const std::string output = outputPath;  // the caller's buffer may be reused meanwhile
    IconResourcePtr record;
    switch (LoadGroup(module, modulePath, index, true, record)) {
    case GroupLoad::Loaded:
        // Bytes the source lost while the group was loaded are zeros: such a group is not read.
        if (reading.Lost()) return GroupExport::Unread;
        return WriteIcoFile(*record, output.c_str());
    case GroupLoad::Refused: return GroupExport::Unread;
    case GroupLoad::OutOfMemory:
    case GroupLoad::NotLinked: break;
    }
    return GroupExport::Reported;
}

bool DescribeGroup(const PeIconModule& module, const char* modulePath, int index, std::string& text) {
    text.clear();
    const IconResourcePtr record = LoadIconGroup(module, modulePath, index, false);
    if (!record) return false;
    text = DescribeImages(*record);
    return true;
}

ModuleGroups::ModuleGroups(const SourceReading& read, const char* path)
    : reading(read), module(read.Module()), sourcePath(path) {
    for (const PeIconGroup& group : module.groups)
        lines.push_back(GroupNameText(group.name));
}

std::string ModuleGroups::Line(int i) const {
    return i >= 0 && i < Count() ? lines[static_cast<size_t>(i)] : std::string();
}

// Line i names group i of the same reading.
GroupExport ModuleGroups::Export(int i, const char* outputPath) const {
    if (i < 0 || i >= Count()) return GroupExport::Unread;
    return ExportGroupToIco(reading, sourcePath, i, outputPath);
}

bool ModuleGroups::Describe(int i, std::string& text) const {
    text.clear();
    if (i < 0 || i >= Count()) return false;
    return DescribeGroup(module, sourcePath, i, text);
}

bool WithModuleGroups(const SourceReading& reading, const char* sourcePath, const GroupNameListing& listing,
                      const std::function<void(const ModuleGroups&)>& work) {
    if (reading.GetKind() != SourceReading::Kind::Pe) return false;
    const ModuleGroups groups(reading, sourcePath);
    if (groups.Count() == 0) return true;
    struct Listed {
        const GroupNameListing& listing;
        ~Listed() {
            if (listing) listing({});
        }
    } listed{listing};
    if (listing) listing(groups.Lines());
    work(groups);
    return true;
}
