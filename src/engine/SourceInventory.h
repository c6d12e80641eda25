// What a launcher or a file manager asks of a source at once: what it is, its icon groups with
// the facts each image states in its own header, and its version information.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ImageFacts.h"
#include "engine/SourceReading.h"
#include "engine/VersionInfo.h"

enum class SourceStatus {
    Ok,          // at least one icon group can be read
    NoIcons,     // a module or ICO file holding no readable icon group
    Unreadable,  // the file cannot be opened, or a module's resources cannot be read
    NotAModule,  // neither a 16-, 32- or 64-bit module nor an ICO file
};

enum class SourceKind { None, Pe32, Pe32Plus, Ne, Ico };

struct InventoryImage {
    bool readable = false;  // its header could be read; the facts are set only then
    ImageFacts facts;
    uint64_t bytes = 0;
};

struct InventoryGroup {
    int index = 0;
    bool integer = true;  // named by `id`, else by `name` (UTF-8)
    uint16_t id = 0;
    std::string name;
    bool hasLanguage = false;  // 16-bit modules and ICO files have none
    uint16_t language = 0;
    bool readable = false;  // its directory and every image's header could be read
    std::vector<InventoryImage> images;
};

struct SourceInventory {
    SourceStatus status = SourceStatus::NotAModule;
    SourceKind kind = SourceKind::None;
    std::vector<InventoryGroup> groups;  // in the shell's numbering
    bool hasVersion = false;
    VersionInfo version;
};

SourceInventory TakeInventory(const SourceReading& reading);
