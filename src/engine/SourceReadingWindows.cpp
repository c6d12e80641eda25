// The Windows side of engine/SourceReading.h: the system's resource languages, and the twins
// that hold the resources of Windows' own modules.
#include <windows.h>

#include "engine/SourceReading.h"
#include "files/TextFunctions.h"

namespace {

bool StartsWithFolder(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(), static_cast<int>(folder.size()),
                          folder.c_str(), static_cast<int>(folder.size())) == CSTR_EQUAL;
}

}  // namespace

const std::vector<uint16_t>& ResourceLanguages() {
    static const std::vector<uint16_t> languages = [] {
        std::vector<uint16_t> list;
        const auto add = [&](LANGID language) {
            for (uint16_t known : list)
                if (known == language) return;
            list.push_back(language);
        };
        add(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
        add(LANGIDFROMLCID(GetThreadLocale()));
        add(GetUserDefaultLangID());
        add(MAKELANGID(PRIMARYLANGID(GetUserDefaultLangID()), SUBLANG_NEUTRAL));
        add(GetSystemDefaultLangID());
        add(MAKELANGID(PRIMARYLANGID(GetSystemDefaultLangID()), SUBLANG_NEUTRAL));
        add(MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT));
        return list;
    }();
    return languages;
}

std::string SystemResourcesTwin(const char* path) {
    char full[MAX_PATH], windows[MAX_PATH];
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, &name);
    const UINT windowsLength = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !name || windowsLength == 0 || windowsLength >= MAX_PATH) return {};
    std::string folder = windows;
    if (!EndsWithBackslash(folder.c_str())) folder += '\\';
    if (!StartsWithFolder(full, folder)) return {};
    return folder + "SystemResources\\" + name + ".mun";
}
