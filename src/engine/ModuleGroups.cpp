#include "engine/ModuleGroups.h"

#include <utility>

#include "engine/EngineMessages.h"
#include "engine/GroupDirectory.h"
#include "engine/IcoFile.h"
#include "files/TextFunctions.h"

#ifdef _WIN32
namespace {

// Sends a list-box message whose text argument is a pointer.
LRESULT SendText(HWND list, UINT message, WPARAM index, const char* text) {
    return SendMessageA(list, message, index, reinterpret_cast<LPARAM>(text));
}

}  // namespace

std::string GroupNameText(const PeGroupName& name) {
    std::string text;
    if (name.integer) {
        text = std::to_string(name.id);
    } else if (!name.text.empty()) {
        const auto* wide = reinterpret_cast<const wchar_t*>(name.text.data());
        const int wideLength = static_cast<int>(name.text.size());
        const int length = WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        if (length > 0) WideCharToMultiByte(CP_ACP, 0, wide, wideLength, text.data(), length, nullptr, nullptr);
    }
    return text;
}

bool CollectGroupName(HWND nameList, const PeGroupName& name) {
    const LRESULT added = SendText(nameList, LB_ADDSTRING, 0, GroupNameText(name).c_str());
    return added != LB_ERR && added != LB_ERRSPACE;
}

#else
std::string GroupNameText(const PeGroupName& name) {
    return name.integer ? std::to_string(name.id) : Utf8FromUtf16(name.text);
}
#endif

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

GroupExport ExportGroupToIco(const PeIconModule& module, const char* modulePath, int index, const char* outputPath) {
    const std::string output = outputPath;  // the caller's buffer may be reused meanwhile
    IconResourcePtr record;
    switch (LoadGroup(module, modulePath, index, true, record)) {
    case GroupLoad::Loaded: return WriteIcoFile(*record, output.c_str()) ? GroupExport::Written : GroupExport::Reported;
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

ModuleGroups::ModuleGroups(const PeIconModule& read, const char* path, NameListBox list)
    : module(read), sourcePath(path), nameList(list) {
    if (!nameList)
        for (const PeIconGroup& group : module.groups)
            lines.push_back(GroupNameText(group.name));
}

int ModuleGroups::Count() const {
    if (!nameList) return static_cast<int>(lines.size());
#ifdef _WIN32
    const LRESULT count = SendMessageA(nameList, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
#else
    return 0;
#endif
}

std::string ModuleGroups::Line(int i) const {
    if (!nameList) return i >= 0 && static_cast<size_t>(i) < lines.size() ? lines[static_cast<size_t>(i)] : "";
#ifdef _WIN32
    const LRESULT length = SendMessageA(nameList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (i < 0 || length == LB_ERR) return std::string();
    std::string line(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendText(nameList, LB_GETTEXT, static_cast<WPARAM>(i), line.data());
    line.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return line;
#else
    return std::string();
#endif
}

// Line i of the list names group i of the same reading.
GroupExport ModuleGroups::Export(int i, const char* outputPath) const {
    if (i < 0 || i >= Count()) return GroupExport::Unread;
    return ExportGroupToIco(module, sourcePath, i, outputPath);
}

bool ModuleGroups::Describe(int i, std::string& text) const {
    text.clear();
    if (i < 0 || i >= Count()) return false;
    return DescribeGroup(module, sourcePath, i, text);
}

bool WithModuleGroups(const SourceReading& reading, const char* sourcePath, NameListBox nameList,
                      const std::function<void(const ModuleGroups&)>& work) {
    if (reading.GetKind() != SourceReading::Kind::Pe) return false;
#ifdef _WIN32
    struct Session {
        HWND list;
        ~Session() {
            if (list) SendMessageA(list, LB_RESETCONTENT, 0, 0);
        }
    } session{nameList};
    if (nameList) {
        SendMessageA(nameList, LB_RESETCONTENT, 0, 0);
        // A name that does not make it into the list would shift every later line: stop there.
        for (const PeIconGroup& group : reading.Module().groups)
            if (!CollectGroupName(nameList, group.name)) break;
    }
#endif
    const ModuleGroups groups(reading.Module(), sourcePath, nameList);
    if (groups.Count() > 0) work(groups);
    return true;
}
