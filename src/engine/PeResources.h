// The icon groups of 32-bit and 64-bit program modules (PE32 and PE32+), read from the file's
// bytes. One reading gives everything the program shows and writes of a module: the groups in
// the order the system enumerates them (the order in which the shell numbers a file's icons),
// each group's directory exactly as stored, and the icon images its entries name.
//
// Layout read: the MZ header (offset of the PE header at 60), "PE\0\0", the file header (section
// count, optional header size), the optional header (magic 0x10B or 0x20B, the resource entry of
// its data directories), the section table (which turns addresses into file offsets) and the
// resource directory: a tree of directories of 16-byte headers (named entry count at 12, id
// entry count at 14) and 8-byte entries (name or id, offset with the high bit for a
// subdirectory), three levels deep (type, name, language), ending in 16-byte data entries
// (address and size of the data). Every directory, entry, name string and data range is
// checked against the file's bytes.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/ByteSpan.h"
#include "engine/SourceBytes.h"

struct PeGroupName {
    bool integer = true;
    uint16_t id = 0;
    std::u16string text;  // a string name, as stored (UTF-16)
};

struct PeIconGroup {
    PeGroupName name;
    bool found = false;     // false when the group's entry or data lies outside the file
    uint16_t language = 0;  // of the entry read
    ByteSpan directory;     // the group directory's bytes as stored, when found
};

struct PeIconModule {
    // Every entry of the icon-group directory, in stored order: named entries first, as
    // EnumResourceNames gives them; a damaged group keeps its place so numbering stays right.
    std::vector<PeIconGroup> groups;
    std::unordered_map<uint16_t, ByteSpan> images;  // icon images by id
    // A module read with its images on demand: where each image lies in `source`, which reads
    // it when it is first found.
    const SourceBytes* source = nullptr;
    std::unordered_map<uint16_t, std::pair<uint64_t, uint32_t>> imagePlaces;  // offset and size by id
    // True when nothing damaged was met: every group and every image it names was found and
    // is sound. Only such a module may be handed to the shell's own icon functions. Never true
    // of a module whose images are read on demand: they were not looked at.
    bool whole = true;
    // 64 or 32 by the headers' magic number (PE32+ or PE32); kept also when the resources cannot
    // be read, so that a damaged module is still told as what it is. 0 when the magic is unknown.
    int bits = 0;
    // The version resource (its first name, in the language the lookup takes); empty when there
    // is none or it cannot be read, which leaves the icons readable.
    ByteSpan version;
    uint64_t entriesVisited = 0;  // directory entries the reading went through, at most PeEntryBudget

    // The image of that id; one read on demand is read now, and is not found when its bytes
    // cannot be read any more.
    bool FindImage(uint16_t id, ByteSpan& image) const;
};

// Directories may share entries or point back at each other; a reading goes through at most this
// many entries in all, so that no arrangement of offsets makes it slow. A module of 5000 groups
// takes about 20000.
constexpr uint64_t PeEntryBudget = 4000000;

enum class PeRead {
    Read,     // the module's icon groups (perhaps none) are in the result
    NotPe,    // not a PE file: the 16-bit reader or the ICO reader may take it
    Invalid,  // a PE file whose headers or resource directory cannot be read: no icons
};

// For a name stored in several languages the entry the system's resource lookup takes
// (FindResource with the neutral language): the first of `languages` that is stored (the caller
// gives neutral, the thread's, the user's and the system's languages and English, as the
// system tries them), else the first one stored. ExtractIcon under Wine takes the first one
// stored; for every module with one language per name, which is nearly all, the two agree, and
// the exports have always taken the lookup's choice.
PeRead ReadPeIconModule(ByteSpan file, const std::vector<uint16_t>& languages, PeIconModule& module);
// The same from a file read in pieces: only the parts the reading looks at are read (of a sound
// module the headers, the resource directory and the icons' data; not its code, nor an installer
// appended behind it). The spans in `module` point into `file`.
PeRead ReadPeIconModule(const SourceBytes& file, const std::vector<uint16_t>& languages, PeIconModule& module);

// A reading that needs a few images of a large module (a thumbnail of one group) reads only
// where its images lie, and reads an image when it is first found; `file` must outlive it.
PeRead ReadPeIconModuleImagesOnDemand(const SourceBytes& file, const std::vector<uint16_t>& languages,
                                      PeIconModule& module);
