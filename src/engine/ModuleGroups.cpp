#include "engine/ModuleGroups.h"

#include <cstdlib>
#include <exception>
#include <utility>

#include "engine/EngineMessages.h"
#include "engine/GroupDirectory.h"
#include "engine/IcoFile.h"
#include "files/TextFunctions.h"
#include "framework/HandlerFailures.h"

namespace {

LPCSTR const GroupIconType = MAKEINTRESOURCEA(14);
LPCSTR const IconType = MAKEINTRESOURCEA(3);

// The bytes of a module that may be read. A data-file module is the file mapped flat, so a
// damaged resource directory can place a resource past the end of the file: every resource is
// checked against this range before it is read.
struct MappedRange {
    const unsigned char* begin = nullptr;
    const unsigned char* end = nullptr;
};

MappedRange ModuleMapping(HMODULE module, const char* modulePath) {
    MappedRange range;
    MEMORY_BASIC_INFORMATION region;
    if (!VirtualQuery(module, &region, sizeof region) || !region.AllocationBase) return range;
    const void* base = region.AllocationBase;
    range.begin = range.end = static_cast<const unsigned char*>(base);
    while (VirtualQuery(range.end, &region, sizeof region) && region.AllocationBase == base &&
           region.State == MEM_COMMIT && !(region.Protect & (PAGE_NOACCESS | PAGE_GUARD)))
        range.end = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    // A flat mapping (the handle of a data-file module has its low bit set) ends in the zeros
    // that fill the file's last page: they are not the file's.
    WIN32_FILE_ATTRIBUTE_DATA file;
    if ((reinterpret_cast<ULONG_PTR>(module) & 1) && GetFileAttributesExA(modulePath, GetFileExInfoStandard, &file)) {
        const ULONGLONG size = static_cast<ULONGLONG>(file.nFileSizeHigh) << 32 | file.nFileSizeLow;
        if (size < static_cast<ULONGLONG>(range.end - range.begin)) range.end = range.begin + size;
    }
    return range;
}

bool Inside(const MappedRange& mapping, const void* start, size_t size) {
    const auto* p = static_cast<const unsigned char*>(start);
    return p >= mapping.begin && p <= mapping.end && size <= static_cast<size_t>(mapping.end - p);
}

bool ResourceBytes(HMODULE module, HRSRC resource, const MappedRange& mapping, ByteSpan& bytes) {
    // A found resource is its data entry inside the module; a damaged directory can make the
    // search answer a pointer outside it, which SizeofResource would read unchecked.
    if (!resource || !Inside(mapping, resource, sizeof(IMAGE_RESOURCE_DATA_ENTRY))) return false;
    const HGLOBAL loaded = LoadResource(module, resource);
    const auto* data = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = SizeofResource(module, resource);
    if (!data || !Inside(mapping, data, size)) return false;
    bytes = ByteSpan(data, size);
    return true;
}

HRSRC FindGroup(HMODULE module, const GroupName& name) {
    const HRSRC found = FindResourceA(module, name.ResourceName(), GroupIconType);
    if (found || !name.IsInteger()) return found;
    return FindResourceA(module, name.Text().c_str(), GroupIconType);
}

// Sends a list-box message whose text argument is a pointer.
LRESULT SendText(HWND list, UINT message, WPARAM index, const char* text) {
    return SendMessageA(list, message, index, reinterpret_cast<LPARAM>(text));
}

}  // namespace

BOOL CALLBACK CollectGroupName(HMODULE, LPCSTR, LPSTR name, LONG_PTR nameList) {
    // A name that does not make it into the list would shift every later line: stop there.
    // Nothing may be thrown through the system's enumeration.
    try {
        const std::string text =
            IS_INTRESOURCE(name) ? std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name))) : std::string(name);
        const LRESULT added = SendText(reinterpret_cast<HWND>(nameList), LB_ADDSTRING, 0, text.c_str());
        return added != LB_ERR && added != LB_ERRSPACE;
    } catch (const std::exception& error) {
        HandlerFailed(error.what());
        return FALSE;
    }
}

GroupName::GroupName(std::string line) : text(std::move(line)), integer(IsAllDigits(text.c_str())), id(0) {
    if (integer) id = static_cast<WORD>(std::strtoul(text.c_str(), nullptr, 10) & 0xFFFF);
}

LPCSTR GroupName::ResourceName() const {
    return integer ? MAKEINTRESOURCEA(id) : text.c_str();
}

GroupName ResolveGroupName(const std::string& line) {
    return GroupName(line);
}

IconResourcePtr LoadIconGroup(HMODULE module, const char* modulePath, const GroupName& name, bool report) {
    const MappedRange mapping = ModuleMapping(module, modulePath);
    ByteSpan directory;
    if (!ResourceBytes(module, FindGroup(module, name), mapping, directory)) return nullptr;
    const ImageFinder findImage = [&](uint16_t id, ByteSpan& image) {
        return ResourceBytes(module, FindResourceA(module, MAKEINTRESOURCEA(id), IconType), mapping, image);
    };
    IconResourcePtr record;
    switch (AssembleIconGroup(directory, findImage, modulePath, record)) {
    case GroupLoad::Loaded: return record;
    case GroupLoad::Refused: break;
    case GroupLoad::OutOfMemory:
        if (report) ReportEngineFailure(modulePath, ErrorAllocatingMemory);
        break;
    case GroupLoad::NotLinked:
        if (report) ReportEngineFailure(modulePath, ErrorConvertingToInternal);
        break;
    }
    return nullptr;
}

bool ExportGroupToIco(HMODULE module, const char* modulePath, const GroupName& name, const char* outputPath) {
    const std::string output = outputPath;  // the caller's buffer may be reused meanwhile
    const IconResourcePtr record = LoadIconGroup(module, modulePath, name, true);
    if (!record) return false;
    WriteIcoFile(*record, output.c_str());
    return true;
}

bool DescribeGroup(HMODULE module, const char* modulePath, const GroupName& name, std::string& text) {
    text.clear();
    const IconResourcePtr record = LoadIconGroup(module, modulePath, name, false);
    if (!record) return false;
    text = DescribeImages(*record);
    return true;
}

ModuleGroups::ModuleGroups(HMODULE loaded, const char* path, HWND list)
    : module(loaded), sourcePath(path), nameList(list) {}

int ModuleGroups::Count() const {
    const LRESULT count = SendMessageA(nameList, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string ModuleGroups::Line(int i) const {
    const LRESULT length = SendMessageA(nameList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (i < 0 || length == LB_ERR) return std::string();
    std::string line(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendText(nameList, LB_GETTEXT, static_cast<WPARAM>(i), line.data());
    line.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return line;
}

bool ModuleGroups::Export(int i, const char* outputPath) const {
    if (i < 0 || i >= Count()) return false;
    return ExportGroupToIco(module, sourcePath, ResolveGroupName(Line(i)), outputPath);
}

bool ModuleGroups::Describe(int i, std::string& text) const {
    text.clear();
    if (i < 0 || i >= Count()) return false;
    return DescribeGroup(module, sourcePath, ResolveGroupName(Line(i)), text);
}

bool WithModuleGroups(const char* sourcePath, HWND nameList, const std::function<void(const ModuleGroups&)>& work) {
    const HMODULE module = LoadLibraryExA(sourcePath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return false;
    struct Session {
        HMODULE module;
        HWND list;
        ~Session() {
            FreeLibrary(module);
            SendMessageA(list, LB_RESETCONTENT, 0, 0);
        }
    } session{module, nameList};
    SendMessageA(nameList, LB_RESETCONTENT, 0, 0);
    EnumResourceNamesA(module, GroupIconType, CollectGroupName, reinterpret_cast<LONG_PTR>(nameList));
    const ModuleGroups groups(module, sourcePath, nameList);
    if (groups.Count() > 0) work(groups);
    return true;
}
