#include "engine/PeResources.h"

#include "engine/GroupDirectory.h"
#include "engine/IconRecord.h"

namespace {

constexpr uint16_t MzSignature = 0x5A4D;
constexpr uint32_t PeSignature = 0x00004550;
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe32PlusMagic = 0x20B;
constexpr uint32_t ResourceDirectoryIndex = 2;
constexpr size_t SectionHeaderBytes = 40;
constexpr size_t DirectoryHeaderBytes = 16;
constexpr size_t DirectoryEntryBytes = 8;
constexpr size_t DataEntryBytes = 16;
constexpr uint32_t HighBit = 0x80000000u;
constexpr uint16_t GroupIconType = 14;
constexpr uint16_t IconType = 3;
constexpr uint16_t VersionType = 16;

struct Section {
    uint32_t address = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
};

struct Directory {
    uint64_t entries = 0;  // file offset of the first entry
    uint32_t count = 0;
};

struct Entry {
    uint32_t name = 0;    // an id, or with the high bit the offset of a name string
    uint32_t target = 0;  // with the high bit the offset of a subdirectory, else of a data entry
};

class ResourceReader {
public:
    ResourceReader(const SourceBytes& bytes, const std::vector<uint16_t>& preferred, bool imagesOnDemand)
        : file(bytes), languages(preferred), onDemand(imagesOnDemand) {}
    uint64_t Visited() const { return visited; }
    int Bits() const { return bits; }

    PeRead Read(PeIconModule& module) {
        uint16_t mz = 0;
        uint32_t peOffset = 0, signature = 0;
        if (!file.U16(0, mz) || mz != MzSignature || !file.U32(60, peOffset) || !file.U32(peOffset, signature) ||
            signature != PeSignature)
            return PeRead::NotPe;

        const uint64_t header = uint64_t{peOffset} + 4;
        const uint64_t optional = header + 20;
        uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
        // The word size is told even of a module whose headers are damaged further on.
        if (file.U16(optional, magic)) bits = magic == Pe32Magic ? 32 : magic == Pe32PlusMagic ? 64 : 0;
        if (!file.U16(header + 2, sectionCount) || !file.U16(header + 16, optionalSize)) return PeRead::Invalid;
        if (!file.Holds(optional, optionalSize) || !file.U16(optional, magic)) return PeRead::Invalid;
        uint64_t directories = 0;
        if (magic == Pe32Magic)
            directories = 96;
        else if (magic == Pe32PlusMagic)
            directories = 112;
        else
            return PeRead::Invalid;

        const uint64_t sectionTable = optional + optionalSize;
        if (!file.Holds(sectionTable, uint64_t{SectionHeaderBytes} * sectionCount)) return PeRead::Invalid;
        for (uint16_t i = 0; i < sectionCount; ++i) {
            const uint64_t at = sectionTable + uint64_t{SectionHeaderBytes} * i;
            Section section;
            file.U32(at + 12, section.address);
            file.U32(at + 16, section.rawSize);
            file.U32(at + 20, section.rawOffset);
            sections.push_back(section);
        }

        // A module without a resource directory holds no icons.
        uint32_t directoryCount = 0, resourceAddress = 0;
        const uint64_t resourceEntry = directories + 8 * ResourceDirectoryIndex;
        if (optionalSize < directories || !file.U32(optional + directories - 4, directoryCount) ||
            directoryCount <= ResourceDirectoryIndex || resourceEntry + 8 > optionalSize)
            return PeRead::Read;
        file.U32(optional + resourceEntry, resourceAddress);
        if (resourceAddress == 0) return PeRead::Read;
        if (!FileOffset(resourceAddress, DirectoryHeaderBytes, root)) return PeRead::Invalid;

        Directory top;
        if (!ReadDirectory(0, top)) return PeRead::Invalid;
        ReadVersion(top, module);
        Directory groups, icons;
        const bool hasGroups = FindType(top, GroupIconType, groups);
        if (broken) return PeRead::Invalid;
        if (!hasGroups) return PeRead::Read;
        if (FindType(top, IconType, icons)) ReadImages(icons, module);
        if (broken) return PeRead::Invalid;
        ReadGroups(groups, module);
        if (broken) return PeRead::Invalid;
        module.whole = module.whole && !onDemand && AllSound(module);
        return PeRead::Read;
    }

private:
    // The file offset of `size` bytes at a virtual address, through the section that holds
    // the address in its file data, as the system's loader finds it; false when the bytes do not
    // lie inside the file.
    bool FileOffset(uint32_t address, uint64_t size, uint64_t& offset) const {
        for (const Section& section : sections)
            if (address >= section.address && address - section.address < section.rawSize) {
                offset = uint64_t{section.rawOffset} + (address - section.address);
                return file.Holds(offset, size);
            }
        return false;
    }

    bool ReadDirectory(uint32_t offset, Directory& directory) {
        const uint64_t at = root + offset;
        uint16_t named = 0, ids = 0;
        if (!file.Holds(at, DirectoryHeaderBytes) || !file.U16(at + 12, named) || !file.U16(at + 14, ids)) return false;
        directory.entries = at + DirectoryHeaderBytes;
        directory.count = uint32_t{named} + ids;
        if (!file.Holds(directory.entries, uint64_t{DirectoryEntryBytes} * directory.count)) return false;
        if (visited + directory.count > PeEntryBudget) broken = overBudget = true;
        if (!broken) visited += directory.count;
        return !broken;
    }

    Entry EntryAt(const Directory& directory, uint32_t i) const {
        Entry entry;
        const uint64_t at = directory.entries + uint64_t{DirectoryEntryBytes} * i;
        file.U32(at, entry.name);
        file.U32(at + 4, entry.target);
        return entry;
    }

    // The subdirectory of type `type`; a type entry that is damaged makes the whole directory
    // unreadable, since the system could not find the type either.
    bool FindType(const Directory& top, uint16_t type, Directory& found) {
        for (uint32_t i = 0; i < top.count; ++i) {
            const Entry entry = EntryAt(top, i);
            if ((entry.name & HighBit) || entry.name != type) continue;
            if (!(entry.target & HighBit) || !ReadDirectory(entry.target & ~HighBit, found)) broken = true;
            return !broken;
        }
        return false;
    }

    // The first version resource. A damaged one is passed over: it does not make the icons
    // unreadable.
    void ReadVersion(const Directory& top, PeIconModule& module) {
        Directory versions;
        const bool wasBroken = broken;
        if (FindType(top, VersionType, versions) && versions.count > 0) {
            uint16_t language = 0;
            if (!NameData(EntryAt(versions, 0), module.version, language)) module.version = ByteSpan();
        }
        broken = wasBroken || overBudget;
    }

    // The data of a name entry in the language the resource lookup takes.
    bool NameData(const Entry& name, ByteSpan& data, uint16_t& chosenLanguage) {
        uint64_t offset = 0;
        uint32_t size = 0;
        return NamePlace(name, offset, size, chosenLanguage) && file.Part(offset, size, data);
    }

    // Where that data lies in the file, which holds it; nothing of the data itself is read.
    bool NamePlace(const Entry& name, uint64_t& offset, uint32_t& size, uint16_t& chosenLanguage) {
        Directory languagesOfName;
        if (!(name.target & HighBit) || !ReadDirectory(name.target & ~HighBit, languagesOfName) ||
            languagesOfName.count == 0)
            return false;
        uint32_t chosen = 0;
        size_t bestRank = languages.size();
        for (uint32_t i = 0; i < languagesOfName.count && bestRank > 0; ++i) {
            const Entry language = EntryAt(languagesOfName, i);
            if (language.name & HighBit) continue;
            for (size_t rank = 0; rank < bestRank; ++rank)
                if (languages[rank] == (language.name & 0xFFFF)) {
                    bestRank = rank;
                    chosen = i;
                    break;
                }
        }
        const Entry language = EntryAt(languagesOfName, chosen);
        chosenLanguage = static_cast<uint16_t>(language.name & 0xFFFF);
        uint32_t address = 0;
        const uint64_t dataEntry = root + language.target;
        return !(language.target & HighBit) && file.Holds(dataEntry, DataEntryBytes) && file.U32(dataEntry, address) &&
               file.U32(dataEntry + 4, size) && FileOffset(address, size, offset) && file.Holds(offset, size);
    }

    bool NameText(uint32_t name, std::u16string& text) const {
        const uint64_t at = root + (name & ~HighBit);
        uint16_t length = 0;
        if (!file.U16(at, length) || !file.Holds(at + 2, uint64_t{2} * length)) return false;
        text.resize(length);
        for (uint16_t k = 0; k < length; ++k) {
            uint16_t unit = 0;
            file.U16(at + 2 + 2 * uint64_t{k}, unit);
            text[k] = static_cast<char16_t>(unit);
        }
        return true;
    }

    void ReadImages(const Directory& icons, PeIconModule& module) {
        for (uint32_t i = 0; i < icons.count && !broken; ++i) {
            const Entry entry = EntryAt(icons, i);
            // A string-named image can never be named by a group entry.
            if (entry.name & HighBit) continue;
            const auto id = static_cast<uint16_t>(entry.name & 0xFFFF);
            uint64_t offset = 0;
            uint32_t size = 0;
            uint16_t language = 0;
            ByteSpan data;
            if (!NamePlace(entry, offset, size, language) || (!onDemand && !file.Part(offset, size, data))) {
                module.whole = false;
                continue;
            }
            if (onDemand)
                module.imagePlaces.emplace(id, std::make_pair(offset, size));
            else
                module.images.emplace(id, data);
        }
    }

    void ReadGroups(const Directory& groups, PeIconModule& module) {
        module.groups.reserve(groups.count);
        for (uint32_t i = 0; i < groups.count && !broken; ++i) {
            const Entry entry = EntryAt(groups, i);
            PeIconGroup group;
            group.name.integer = !(entry.name & HighBit);
            if (group.name.integer)
                group.name.id = static_cast<uint16_t>(entry.name & 0xFFFF);
            else if (!NameText(entry.name, group.name.text))
                group.name.text.clear();
            group.found =
                (group.name.integer || !group.name.text.empty()) && NameData(entry, group.directory, group.language);
            if (!group.found) {
                group.directory = ByteSpan();
                module.whole = false;
            }
            module.groups.push_back(std::move(group));
        }
    }

    static bool AllSound(const PeIconModule& module) {
        for (const PeIconGroup& group : module.groups) {
            uint16_t count = 0;
            if (!GroupImageCount(group.directory, count) || count == 0) return false;
            for (uint16_t k = 0; k < count; ++k) {
                GroupDirectoryEntry entry;
                ByteSpan image;
                if (!GroupEntryAt(group.directory, k, entry) || !module.FindImage(entry.id, image) ||
                    !IsSoundIconImage(image))
                    return false;
            }
        }
        return true;
    }

    const SourceBytes& file;
    const std::vector<uint16_t>& languages;
    std::vector<Section> sections;
    uint64_t root = 0;
    uint64_t visited = 0;
    int bits = 0;
    bool broken = false;
    bool overBudget = false;
    bool onDemand = false;
};

}  // namespace

bool PeIconModule::FindImage(uint16_t id, ByteSpan& image) const {
    const auto found = images.find(id);
    if (found != images.end()) {
        image = found->second;
        return true;
    }
    const auto place = imagePlaces.find(id);
    return source && place != imagePlaces.end() && source->Part(place->second.first, place->second.second, image);
}

PeRead ReadPeIconModule(ByteSpan file, const std::vector<uint16_t>& languages, PeIconModule& module) {
    return ReadPeIconModule(SourceBytes(file), languages, module);
}

namespace {

PeRead ReadModule(const SourceBytes& file, const std::vector<uint16_t>& languages, bool imagesOnDemand,
                  PeIconModule& module) {
    module = PeIconModule();
    ResourceReader reader(file, languages, imagesOnDemand);
    const PeRead read = reader.Read(module);
    if (read != PeRead::Read) module = PeIconModule();
    if (read == PeRead::Read && imagesOnDemand) module.source = &file;
    module.entriesVisited = reader.Visited();
    module.bits = reader.Bits();
    return read;
}

}  // namespace

PeRead ReadPeIconModule(const SourceBytes& file, const std::vector<uint16_t>& languages, PeIconModule& module) {
    return ReadModule(file, languages, false, module);
}

PeRead ReadPeIconModuleImagesOnDemand(const SourceBytes& file, const std::vector<uint16_t>& languages,
                                      PeIconModule& module) {
    return ReadModule(file, languages, true, module);
}
