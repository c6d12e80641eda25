#include "support/EngineTestSupport.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "engine/EngineMessages.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/MainWindowHarness.h"

using fixtures::GetU16;
using fixtures::GetU32;

std::string FixturePath(const std::string& name) {
    return HostPathToWindows(std::string(GLYPHDOCK_FIXTURE_DIR) + "/" + name);
}

std::string ModuleWithADamagedGroup() {
    using namespace fixtures;
    const std::string image = BitmapImage(32, 32, 4, 5);
    const auto group = [](uint16_t id, const std::string& directory) { return PeResource{14, id, {}, 0, directory}; };
    return PeModule({group(1, GroupDirectory({EntryFor(image, 1)})), group(2, GroupDirectory({EntryFor(image, 9)})),
                     group(3, GroupDirectory({EntryFor(image, 1)})), PeResource{3, 1, {}, 0, image}});
}

namespace {
std::vector<EngineMessage> recorded;

void Record(const char* path, const char* text, const char* caption, unsigned style) {
    recorded.push_back({path, text, caption, style});
}
}  // namespace

MessageRecorder::MessageRecorder() : recording(SetEngineReporter, &Record) {
    recorded.clear();
}

const std::vector<EngineMessage>& MessageRecorder::Messages() const {
    return recorded;
}

namespace {

struct EnumeratedName {
    std::string text;
    bool integer;
};

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    auto* list = reinterpret_cast<std::vector<EnumeratedName>*>(names);
    if (IS_INTRESOURCE(name))
        list->push_back({std::to_string(reinterpret_cast<ULONG_PTR>(name)), true});
    else
        list->push_back({name, false});
    return TRUE;
}

// The bytes of a resource and the file offset just past them in a flat mapping.
std::string Resource(HMODULE module, LPCSTR name, LPCSTR type, size_t& end) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    const auto base = reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{0xFFFF};
    end = std::max(end, static_cast<size_t>(reinterpret_cast<ULONG_PTR>(data) - base + size));
    return std::string(data, size);
}

}  // namespace

std::vector<ModuleGroup> ReadModuleGroups(const std::string& path) {
    std::vector<ModuleGroup> groups;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return groups;
    std::vector<EnumeratedName> names;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(14), CollectName, reinterpret_cast<LONG_PTR>(&names));
    for (const EnumeratedName& name : names) {
        ModuleGroup group;
        group.name = name.text;
        const LPCSTR resource = name.integer ? MAKEINTRESOURCEA(std::stoi(name.text)) : name.text.c_str();
        group.directory = Resource(module, resource, MAKEINTRESOURCEA(14), group.end);
        for (size_t k = 0; 6 + 14 * (k + 1) <= group.directory.size() && k < GetU16(group.directory, 4); ++k)
            group.images.push_back(Resource(module, MAKEINTRESOURCEA(GetU16(group.directory, 6 + 14 * k + 12)),
                                            MAKEINTRESOURCEA(3), group.end));
        groups.push_back(group);
    }
    FreeLibrary(module);
    return groups;
}

std::vector<std::string> IcoImages(const std::string& ico) {
    std::vector<std::string> images;
    if (!fixtures::IsWellFormedIco(ico)) return images;
    for (size_t i = 0; i < GetU16(ico, 4); ++i)
        images.push_back(ico.substr(GetU32(ico, 6 + 16 * i + 12), GetU32(ico, 6 + 16 * i + 8)));
    return images;
}

IcoDirectoryEntry IcoEntry(const std::string& ico, size_t i) {
    const size_t at = 6 + 16 * i;
    return {static_cast<unsigned char>(ico[at]), static_cast<unsigned char>(ico[at + 1]),
            static_cast<unsigned char>(ico[at + 2]), GetU16(ico, at + 4), GetU16(ico, at + 6)};
}

bool LoadsAsIcon(const std::string& image, int width, int height) {
    std::string copy = image;
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(copy.data()), static_cast<DWORD>(copy.size()), TRUE,
                                          0x00030000, width, height, LR_DEFAULTCOLOR);
    if (!icon) return false;
    DestroyIcon(icon);
    return true;
}

std::vector<unsigned> IconPixels(HICON icon) {
    std::vector<unsigned> pixels;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return pixels;
    HDC screen = GetDC(nullptr);
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        if (!bitmap) continue;
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = 32;
        format.bmiHeader.biHeight = 32;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        std::vector<unsigned> part(32 * 32);
        GetDIBits(screen, bitmap, 0, 32, part.data(), &format, DIB_RGB_COLORS);
        pixels.insert(pixels.end(), part.begin(), part.end());
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    return pixels;
}

int ShellIconCount(const std::string& path) {
    return static_cast<int>(
        reinterpret_cast<INT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), static_cast<UINT>(-1))));
}

std::vector<unsigned> ShellIconPixels(const std::string& path, int index) {
    return IconPixels(ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), static_cast<UINT>(index)));
}

std::vector<unsigned> IcoFilePixels(const std::string& icoPath) {
    return IconPixels(static_cast<HICON>(LoadImageA(nullptr, icoPath.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE)));
}

std::vector<std::string> FolderFiles(const std::string& folder) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
    return files;
}
