#include "catalogue/CatalogueLook.h"

#include <commctrl.h>
#include <shellapi.h>

#include <map>
#include <string>

#include "files/TextFunctions.h"
#include "system/OwnedHandles.h"
#include "pictures/IconPictures.h"

namespace {

enum class IconRoad { FilePicture, ShellPerFile, TypeIcon };

struct TypeLook {
    IconRoad road = IconRoad::TypeIcon;
    HIMAGELIST systemList = nullptr;  // the type's icon, once asked
    int systemIndex = -1;
};

// The part of the file name from its last period on, its ASCII letters in lower case ("" when it
// has none). The second byte of a double-byte character is neither a period nor a letter.
std::string Extension(const char* path) {
    const char* dot = nullptr;
    for (const char* p = FileNamePart(path); *p; p += CharLength(p))
        if (*p == '.') dot = p;
    std::string extension = dot ? dot : "";
    for (size_t i = 0; i < extension.size(); i += static_cast<size_t>(CharLength(extension.c_str() + i)))
        if (extension[i] >= 'A' && extension[i] <= 'Z') extension[i] = static_cast<char>(extension[i] - 'A' + 'a');
    return extension;
}

bool ClassValue(const std::string& key, std::string& value) {
    char text[1024];
    LONG size = sizeof text;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), text, &size) != ERROR_SUCCESS) return false;
    text[sizeof text - 1] = 0;
    TrimBlanks(text);
    StripQuotes(text);
    TrimBlanks(text);
    value = text;
    return true;
}

bool ClassKeyExists(const std::string& key) {
    UniqueRegKey handle;
    return RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.Receive()) == ERROR_SUCCESS;
}

IconRoad RoadOfType(const std::string& extension) {
    std::string type, icon;
    if (extension.empty() || !ClassValue(extension, type) || type.empty()) return IconRoad::TypeIcon;
    if (ClassKeyExists(extension + "\\shellex\\IconHandler") || ClassKeyExists(type + "\\shellex\\IconHandler"))
        return IconRoad::ShellPerFile;
    if (!ClassValue(type + "\\DefaultIcon", icon)) return IconRoad::TypeIcon;
    if (icon == "%1") return IconRoad::FilePicture;
    // "%1" elsewhere in the value still names the file; other % names are environment variables
    // ("%SystemRoot%\System32\imageres.dll,-67", as Windows registers libraries), one icon a type.
    return icon.find("%1") != std::string::npos ? IconRoad::ShellPerFile : IconRoad::TypeIcon;
}

// The types met in this run, by extension.
TypeLook& LookOfType(const std::string& extension) {
    static std::map<std::string, TypeLook> types;
    auto found = types.find(extension);
    if (found == types.end()) {
        found = types.emplace(extension, TypeLook()).first;
        found->second.road = RoadOfType(extension);
    }
    return found->second;
}

HICON SystemListIcon(const char* path, UINT flags, DWORD attributes, HIMAGELIST& list, int& index) {
    SHFILEINFOA info{};
    list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(path, attributes, &info, sizeof info, flags | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    index = list ? info.iIcon : -1;
    return list ? ImageList_GetIcon(list, index, ILD_NORMAL) : nullptr;
}

// The picture as the shell's image list of small icons gives it back, as it gives every icon: a
// 32-bit list with a mask, which keeps the mask of an icon without alpha and clears the colour
// under it, and makes the mask of an icon with alpha from its alpha (above 10% is opaque).
void AsTheShellKeepsIt(IconPicture& picture) {
    const int pixels = PictureSide(picture) * PictureSide(picture);
    bool alpha = false;
    for (int p = 0; p < pixels && !alpha; ++p)
        alpha = (picture.colour[p] >> 24) != 0;
    for (int p = 0; p < pixels; ++p) {
        if (alpha)
            picture.mask[p] = (picture.colour[p] >> 24) > 25 ? 0 : 1;
        else if (picture.mask[p])
            picture.colour[p] = 0;
    }
}

}  // namespace

HICON CatalogueSmallIcon(const char* path, const SourceReading& reading) {
    TypeLook& look = LookOfType(Extension(path));
    HIMAGELIST list = nullptr;
    int index = -1;
    switch (look.road) {
    case IconRoad::FilePicture: {
        IconPicture picture;
        picture.size = SmallIconSide();
        if (!SourceIconPicture(reading, 0, ScreenBitsPerPixel(), picture)) return nullptr;
        AsTheShellKeepsIt(picture);
        return IconOfPicture(picture);
    }
    case IconRoad::ShellPerFile: return SystemListIcon(path, 0, 0, list, index);
    case IconRoad::TypeIcon:
        if (!look.systemList)
            return SystemListIcon(path, SHGFI_USEFILEATTRIBUTES, FILE_ATTRIBUTE_NORMAL, look.systemList,
                                  look.systemIndex);
        return ImageList_GetIcon(look.systemList, look.systemIndex, ILD_NORMAL);
    }
    return nullptr;
}

void CatalogueDisplayName(const char* path, char* name) {
    name[0] = 0;
    // The shell names a file as it is written on disk; asked by attributes it names the path as
    // written, so it is asked for the path with the file's own name.
    WIN32_FIND_DATAA found;
    if (!UniqueFind(FindFirstFileA(path, &found))) return;
    std::string onDisk(path, static_cast<size_t>(FileNamePart(path) - path));  // the folder, or nothing
    onDisk += found.cFileName;
    if (onDisk.size() > static_cast<size_t>(MaxPathLength)) return;
    SHFILEINFOA info{};
    if (SHGetFileInfoA(onDisk.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_DISPLAYNAME | SHGFI_USEFILEATTRIBUTES))
        lstrcpynA(name, info.szDisplayName, MAX_PATH);
}
