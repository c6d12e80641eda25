#include "catalogue/CatalogueFileLook.h"

#include <objbase.h>

#include <atomic>
#include <system_error>
#include <thread>

#include "catalogue/CatalogueLook.h"
#include "engine/SourceReading.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

CatalogueFileLook LookAtCatalogueFile(const char* path) {
    CatalogueFileLook look;
    look.looked = true;
    if (!path || BoundedLength(path, MaxPathLength + 1) > MaxPathLength) return look;
    // The attributes answer for nearly every path, and ask far less of the file system than
    // PathExists's search, which still answers for the rest (drives, wildcards).
    look.exists = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES || PathExists(path);
    if (!look.exists) return look;
    const SourceReading reading(path);
    look.iconCount = reading.IconCount();
    if (look.iconCount > 0 && reading.AcceptedWhole()) CatalogueDisplayName(path, look.name);
    return look;
}

std::vector<CatalogueFileLook> LookAtCatalogueFiles(const std::vector<std::string>& paths) {
    std::vector<CatalogueFileLook> looks(paths.size());
    std::atomic<size_t> next{0};
    auto lookAtTheRest = [&](bool helper) {
        // The shell's display name wants COM on the thread that asks for it.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (size_t i; (i = next++) < paths.size();) {
            try {
                looks[i] = LookAtCatalogueFile(paths[i].c_str());
            } catch (...) {
                if (!helper) throw;  // the helper's failures are left to the caller's thread
            }
        }
        if (SUCCEEDED(com)) CoUninitialize();
    };
    ResourceLanguages();  // chosen once, by this thread's locale
    std::thread helper;
    try {
        if (paths.size() > 1) helper = std::thread(lookAtTheRest, true);
    } catch (const std::system_error&) {
        // Without a second thread this one looks at every file.
    }
    struct Joined {
        std::thread& thread;
        ~Joined() {
            if (thread.joinable()) thread.join();
        }
    } joined{helper};
    lookAtTheRest(false);
    return looks;
}
