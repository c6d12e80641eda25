// Damaged bytes through everything the engine does with a source: shared by the hostile-input
// tests, which check what is built, and the fuzz target, which only looks for faults.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/GroupDirectory.h"
#include "engine/IcoLayout.h"
#include "engine/IconPicture.h"
#include "engine/NeModule.h"
#include "engine/PeResources.h"
#include "engine/VersionInfo.h"

struct EngineChecks {
    // The ICO file the engine built of a group it read (empty when it built none).
    std::function<void(const std::vector<unsigned char>& ico)> ico;
    // The description of a group's images.
    std::function<void(const std::string& text)> description;
    // An image a picture leaves to the system.
    std::function<void(ByteSpan image)> systemImage;
    // The version information read of a resource, and the resource.
    std::function<void(const VersionInfo& info, ByteSpan resource)> version;
};

// A version resource, `wide` as 32- and 64-bit modules store it.
inline void ThroughVersion(ByteSpan resource, bool wide, const EngineChecks& checks = {}) {
    VersionInfo info;
    ReadVersionInfo(resource, wide, info);
    if (checks.version) checks.version(info, resource);
}

// A group directory and its images: the record, its ICO file and its description.
inline void ThroughGroupAssembly(ByteSpan directory, const ImageFinder& find, const EngineChecks& checks = {}) {
    IconResourcePtr record;
    if (AssembleIconGroup(directory, find, "m", record) != GroupLoad::Loaded) return;
    std::vector<unsigned char> file;
    if (!IcoFileBytes(*record, file)) file.clear();
    if (checks.ico) checks.ico(file);
    const std::string text = DescribeImages(*record);
    if (checks.description) checks.description(text);
}

// A 16-bit module: every group's ICO file, summary and name, one past the last included.
inline void ThroughNeModule(ByteSpan file, const EngineChecks& checks = {}) {
    NeResourceTable table;
    if (WalkNeModule(file, table) != NeWalk::Walked) return;
    if (table.hasVersion) ThroughVersion(file.Clip(table.version.offset, table.version.length), false, checks);
    for (size_t s = 0; s <= table.groups.size(); ++s) {
        std::vector<unsigned char> ico;
        if (NeGroupIcoBytes(file, table, s, ico) == NeGroup::Built && checks.ico) checks.ico(ico);
        std::string text;
        NeGroupSummary(file, table, s, text);
        NeGroupName(file, table, s);
    }
}

// A 32- or 64-bit module, or an ICO file: the pictures of every group at each screen depth and
// both sizes, and every group's record.
inline void ThroughPeModule(ByteSpan file, const std::vector<int>& depths, const EngineChecks& checks = {}) {
    for (int depth : depths)
        for (int size : {PictureSize, SmallPictureSize}) {
            IconPicture picture;
            picture.size = size;
            ByteSpan image;
            if (PictureOfIcoFile(file, depth, picture, image) == GroupPicture::System && checks.systemImage)
                checks.systemImage(image);
        }
    PeIconModule module;
    if (ReadPeIconModule(file, {0x0000, 0x0409}, module) != PeRead::Read) return;
    ThroughVersion(module.version, true, checks);
    const ImageFinder find = [&](uint16_t id, ByteSpan& image) { return module.FindImage(id, image); };
    for (const PeIconGroup& group : module.groups) {
        for (int depth : depths)
            for (int size : {PictureSize, SmallPictureSize}) {
                IconPicture picture;
                picture.size = size;
                ByteSpan image;
                if (PictureOfGroup(group.directory, find, depth, picture, image) == GroupPicture::System &&
                    checks.systemImage)
                    checks.systemImage(image);
            }
        ThroughGroupAssembly(group.directory, find, checks);
    }
    // Read with its images on demand, the module names the same images (a difference traps).
    const SourceBytes bytes(file);
    PeIconModule onDemand;
    if (ReadPeIconModuleImagesOnDemand(bytes, {0x0000, 0x0409}, onDemand) != PeRead::Read ||
        onDemand.imagePlaces.size() != module.images.size())
        __builtin_trap();
    for (const auto& [id, image] : module.images) {
        ByteSpan found;
        if (!onDemand.FindImage(id, found) || found.Data() != image.Data() || found.Size() != image.Size())
            __builtin_trap();
    }
}
