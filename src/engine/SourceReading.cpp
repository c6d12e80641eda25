#include "engine/SourceReading.h"

#include <algorithm>
#include <atomic>

#include "engine/SourceFile.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

namespace {

constexpr uint16_t MzSignature = 0x5A4D;
std::atomic<SourceOpenedHook> sourceOpened{nullptr};

bool SoundNeModule(ByteSpan file, const NeResourceTable& table) {
    for (size_t s = 0; s < table.groups.size(); ++s) {
        std::vector<unsigned char> ico;
        if (NeGroupIcoBytes(file, table, s, ico) != NeGroup::Built) return false;
    }
    return true;
}

}  // namespace

SourceOpenedHook SetSourceOpenedHookForTesting(SourceOpenedHook hook) {
    return sourceOpened.exchange(hook);
}

SourceReading::SourceReading(const char* path, ImageReading images) {
    if (!path || !path[0] || !ReadSource(path, images)) return;
    if (kind != Kind::Pe || !module.groups.empty()) return;
    const std::string twinPath = SystemResourcesTwin(path);
    if (twinPath.empty() || !PathExists(twinPath.c_str())) return;
    SourceReading twin;
    if (!twin.ReadSource(twinPath.c_str(), images) || twin.kind != Kind::Pe || twin.module.groups.empty()) return;
    file = std::move(twin.file);
    module = std::move(twin.module);
    whole = module.whole;
}

SourceReading::SourceReading(ByteSpan bytes) {
    if (bytes.Empty()) return;
    inMemory = true;
    Read(SourceBytes(bytes));
}

bool SourceReading::ReadSource(const char* path, ImageReading images) {
    auto opened = std::make_unique<SourceFile>(path);
    if (opened->Size() == 0) return false;
    const SourceOpenedHook hook = sourceOpened;
    if (hook && !hook(path)) opened->MakeUnreadable();
    Read(opened->Bytes(), images);
    if (!module.source) opened->EndReading();
    if (opened->Lost()) {
        kind = Kind::None;
        module = PeIconModule();
        table = NeResourceTable();
        fileBytes = ByteSpan();
        whole = false;
        return false;
    }
    file = std::move(opened);
    return true;
}

// A 32- or 64-bit module is read in the parts its reader looks at. A 16-bit module and an ICO
// file, whose tables may lead anywhere in them, are read whole; other files no further than
// their first bytes.
void SourceReading::Read(const SourceBytes& bytes, ImageReading reading) {
    const PeRead read = reading == ImageReading::OnDemand
                            ? ReadPeIconModuleImagesOnDemand(bytes, ResourceLanguages(), module)
                            : ReadPeIconModule(bytes, ResourceLanguages(), module);
    switch (read) {
    case PeRead::Read:
        kind = Kind::Pe;
        bits = module.bits;
        whole = module.whole;
        return;
    case PeRead::Invalid:
        damaged = true;
        bits = module.bits;
        return;
    case PeRead::NotPe: break;
    }
    uint16_t first = 0, second = 0;
    if (!bytes.U16(0, first)) return;
    const bool ico = first == 0 && bytes.U16(2, second) && second == 1;
    if ((first != MzSignature && !ico) || !bytes.Part(0, bytes.Size(), fileBytes)) return;
    const NeWalk walk = WalkNeModule(fileBytes, table);
    damaged = walk == NeWalk::Invalid;
    if (walk != NeWalk::NotNe) bits = 16;
    if (walk == NeWalk::Walked || walk == NeWalk::NoResourceTable) {
        kind = Kind::Ne;
        whole = SoundNeModule(fileBytes, table);
        return;
    }
    table = NeResourceTable();
    std::vector<IconCandidate> candidates;
    std::vector<ByteSpan> images;
    if (IcoFileCandidates(fileBytes, candidates, images)) {
        kind = Kind::Ico;
        whole = std::all_of(images.begin(), images.end(), IsSoundIconImage);
    }
}

int SourceReading::GroupWithId(unsigned id) const {
    for (int i = 0; i < IconCount(); ++i) {
        const size_t at = static_cast<size_t>(i);
        if (kind == Kind::Pe && module.groups[at].name.integer && module.groups[at].name.id == id) return i;
        if (kind == Kind::Ne && table.groups[at].id == (id | NeIntegerIdFlag)) return i;
    }
    return -1;
}

ByteSpan SourceReading::VersionResource(bool& wide) const {
    wide = kind == Kind::Pe;
    if (kind == Kind::Pe) return module.version;
    if (kind == Kind::Ne && table.hasVersion) return Bytes().Clip(table.version.offset, table.version.length);
    return ByteSpan();
}

int SourceReading::IconCount() const {
    switch (kind) {
    case Kind::Pe: return static_cast<int>(module.groups.size());
    case Kind::Ne: return static_cast<int>(table.groups.size());
    case Kind::Ico: return 1;
    case Kind::None: break;
    }
    return 0;
}

bool SourceReading::Group(int i, ByteSpan& directory, ImageFinder& find) const {
    if (i < 0 || i >= IconCount()) return false;
    switch (kind) {
    case Kind::Pe:
        directory = module.groups[static_cast<size_t>(i)].directory;
        find = [this](uint16_t id, ByteSpan& found) { return module.FindImage(id, found); };
        return true;
    case Kind::Ne: {
        const ByteSpan bytes = fileBytes;
        const NeResourceRecord& group = table.groups[static_cast<size_t>(i)];
        directory = bytes.Clip(group.offset, group.length);
        find = [this, bytes](uint16_t id, ByteSpan& found) { return NeReadIconImage(bytes, table, id, found); };
        return true;
    }
    case Kind::Ico:
    case Kind::None: break;
    }
    return false;
}

GroupPicture SourceReading::Picture(int i, int depth, IconPicture& picture, ByteSpan& image) const {
    if (kind == Kind::Ico && i == 0) return PictureOfIcoFile(fileBytes, depth, picture, image);
    ByteSpan directory;
    ImageFinder find;
    if (!Group(i, directory, find)) return GroupPicture::Blank;
    return PictureOfGroup(directory, find, depth, picture, image);
}

bool SourceReading::Images(int i, std::vector<ByteSpan>& images) const {
    images.clear();
    if (kind == Kind::Ico && i == 0) {
        std::vector<IconCandidate> candidates;
        return IcoFileCandidates(fileBytes, candidates, images);
    }
    ByteSpan directory;
    ImageFinder find;
    if (!Group(i, directory, find)) return false;
    uint16_t count = 0;
    if (!GroupImageCount(directory, count)) return false;
    for (uint16_t k = 0; k < count; ++k) {
        GroupDirectoryEntry entry;
        ByteSpan image;
        if (!GroupEntryAt(directory, k, entry)) return false;
        if (!find(entry.id, image)) image = ByteSpan();
        // A 16-bit module's resources are padded to its alignment; the entry says where the
        // image ends, as the ICO file written of it has it.
        if (kind == Kind::Ne && entry.bytesInResource > 0) image = image.Clip(0, entry.bytesInResource);
        images.push_back(image);
    }
    return true;
}
