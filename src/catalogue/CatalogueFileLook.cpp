#include "catalogue/CatalogueFileLook.h"

#include <objbase.h>

#include <atomic>
#include <cstring>
#include <system_error>
#include <thread>

#include "catalogue/CatalogueList.h"
#include "catalogue/CatalogueLook.h"
#include "engine/SourceReading.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "framework/WorkWhileAnswering.h"

namespace {
// The answers that mean the drive or share is not there now, rather than the file.
bool DeviceAway(DWORD error) {
    return error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME || error == ERROR_NOT_READY ||
           error == ERROR_DEV_NOT_EXIST;
}

CatalogueFileLook LookAtFile(const char* path) {
    CatalogueFileLook look;
    look.looked = true;
    if (!path || BoundedLength(path, MaxPathLength + 1) > MaxPathLength) return look;
    // The attributes answer for nearly every path, and ask far less of the file system than
    // PathExists's search, which still answers for the rest (drives, wildcards).
    look.exists = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    if (!look.exists && DeviceAway(GetLastError())) {
        look.unreachable = true;
        return look;
    }
    look.exists = look.exists || PathExists(path);
    if (!look.exists) return look;
    const SourceReading reading(path);
    look.iconCount = reading.IconCount();
    if (look.iconCount > 0 && reading.AcceptedWhole()) CatalogueDisplayName(path, look.name);
    return look;
}

CatalogueLookFunction currentLook = &LookAtFile;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

CatalogueLookFunction SetCatalogueLookForTesting(CatalogueLookFunction look) {
    const CatalogueLookFunction previous = currentLook;
    currentLook = look ? look : &LookAtFile;
    return previous;
}

CatalogueFileLook LookAtCatalogueFile(const char* path) {
    return currentLook(path);
}

std::vector<CatalogueFileLook> LookAtCatalogueFiles(const std::vector<std::string>& paths) {
    std::vector<CatalogueFileLook> looks(paths.size());
    std::atomic<size_t> next{0};
    auto lookAtTheRest = [&] {
        // The shell's display name wants COM on the thread that asks for it.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (size_t i; (i = next++) < paths.size();) {
            try {
                looks[i] = LookAtCatalogueFile(paths[i].c_str());
            } catch (...) {
                // Not looked: the caller looks again.
            }
        }
        if (SUCCEEDED(com)) CoUninitialize();
    };
    ResourceLanguages();  // chosen once, by this thread's locale
    // A worker and one more thread look, while this one answers what is sent to the window.
    RunWhileAnswering([&] {
        std::thread helper;
        try {
            if (paths.size() > 1) helper = std::thread(lookAtTheRest);
        } catch (const std::system_error&) {
            // Without a second thread the worker looks at every file.
        }
        lookAtTheRest();
        if (helper.joinable()) helper.join();
    });
    return looks;
}

std::string PathRoot(const char* path) {
    if (IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') return std::string(path, 3);
    if (path[0] != '\\' || path[1] != '\\') return {};
    // "\\?\" and "\\.\" name no server.
    const char* server = path + 2;
    const char* share = std::strchr(server, '\\');
    if (!share || share == server || (share == server + 1 && (*server == '?' || *server == '.'))) return {};
    ++share;
    const char* end = std::strchr(share, '\\');
    if (!end) end = share + std::strlen(share);
    if (end == share) return {};
    return std::string(path, static_cast<size_t>(end - path)) + '\\';
}

void ReachableRoots::Ask(const std::vector<std::string>& paths) {
    std::vector<std::string> roots;
    for (const std::string& path : paths) {
        std::string root = PathRoot(path.c_str());
        if (!root.empty() && answers.emplace(PathKey(root.c_str()), false).second) roots.push_back(std::move(root));
    }
    if (roots.empty()) return;
    std::vector<char> answered(roots.size());
    RunWhileAnswering([&] {
        // A drive without its disc answers at once instead of asking the user for the disc.
        DWORD oldMode = 0;
        const bool modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode) != 0;
        for (size_t i = 0; i < roots.size(); ++i)
            answered[i] = GetFileAttributesA(roots[i].c_str()) != INVALID_FILE_ATTRIBUTES;
        if (modeSet) SetThreadErrorMode(oldMode, nullptr);
    });
    for (size_t i = 0; i < roots.size(); ++i)
        answers[PathKey(roots[i].c_str())] = answered[i] != 0;
}

bool ReachableRoots::Reachable(const char* path) const {
    const std::string root = PathRoot(path);
    if (root.empty()) return true;
    const auto answer = answers.find(PathKey(root.c_str()));
    return answer == answers.end() || answer->second;
}
