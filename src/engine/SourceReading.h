// One reading of a source file's icons, from its bytes: a 32- or 64-bit module through its
// resource directory, a 16-bit module through its resource table, or an ICO file (one icon).
// The icon count, the icon view's pictures, the group-name list and the exports all come from
// such a reading, so that the view never disagrees with what is written.
//
// Windows 10 and later keep the icons of some system modules beside them in
// %WINDIR%\SystemResources\NAME.mun and leave none in the module: a module inside the Windows
// folder that holds no icon groups is read through that twin when it exists.
//
// Every byte the reading's users can reach is brought in while the reading is made
// (SourceFile.h). A file whose bytes cannot be read then (a network drive that dropped, a removed
// disk, a file shortened meanwhile), or whose reading would bring in hundreds of megabytes, is of
// kind None: the messages of files that hold no icons follow.
//
// A thumbnail needs a few images of one group, and a large library holds megabytes of others: a
// reading made with ImageReading::OnDemand keeps a module's file open and reads an image when it is first
// asked for. An image that can no longer be read then is not found, and the reading is Lost.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/IconPicture.h"
#include "engine/NeModule.h"
#include "engine/PeResources.h"
#include "engine/SourceFile.h"

class SourceReading {
public:
    enum class Kind { None, Pe, Ne, Ico };
    enum class ImageReading { AtOnce, OnDemand };

    explicit SourceReading(const char* path, ImageReading images = ImageReading::AtOnce);
    // A reading of bytes in memory (a library's caller hands them over), which must outlive it.
    explicit SourceReading(ByteSpan bytes);
    SourceReading(const SourceReading&) = delete;
    SourceReading& operator=(const SourceReading&) = delete;

    // None also for a file whose resource directory cannot be read: it holds no icons.
    Kind GetKind() const { return kind; }
    // False when the file could not be opened, is empty or could not be read.
    bool Opened() const { return file != nullptr || inMemory; }
    // True for a 32-, 64- or 16-bit module whose resource directory or table cannot be read.
    bool Damaged() const { return damaged; }
    // 64, 32 or 16 for a module of that kind by its headers, read or damaged; 0 otherwise.
    int ModuleBits() const { return bits; }
    // A module's version resource, empty when it has none; `wide` for a 32- or 64-bit module's.
    ByteSpan VersionResource(bool& wide) const;
    // The number of icons, in the shell's numbering: a module's groups (damaged ones included,
    // so that the others keep their numbers), 1 for an ICO file.
    int IconCount() const;
    // The index of the module group whose integer resource id is `id`, or -1.
    int GroupWithId(unsigned id) const;
    // True when every group and image was found and is sound: only then may the shell's own
    // icon functions, which read a file without bounds, be given the file.
    bool AcceptedWhole() const { return whole; }
    // The icon groups of a 32- or 64-bit module.
    const PeIconModule& Module() const { return module; }
    // The resource table of a 16-bit module, and the bytes it was read from: the whole file,
    // of a 16-bit module or an ICO file.
    const NeResourceTable& Table() const { return table; }
    ByteSpan Bytes() const { return fileBytes; }

    // True when bytes of the file were lost since the reading was made (pages brought in then
    // and dropped since, that could not come in again): what was made of them since is void.
    bool Lost() const { return file && file->Lost(); }

    // The picture of icon i for a screen of `depth` bits per pixel.
    GroupPicture Picture(int i, int depth, IconPicture& picture, ByteSpan& image) const;
    // The images of icon i in the order its directory lists them, an image that cannot be
    // found empty. False when icon i or its directory cannot be read.
    bool Images(int i, std::vector<ByteSpan>& images) const;

private:
    SourceReading() = default;
    // Reads the file at `path`; false when its bytes could not be read, leaving this reading empty.
    bool ReadSource(const char* path, ImageReading images);
    void Read(const SourceBytes& bytes, ImageReading reading = ImageReading::AtOnce);
    // The directory of a module's icon group i and the finder of its images; false for an ICO
    // file, or when there is no group i.
    bool Group(int i, ByteSpan& directory, ImageFinder& find) const;

    std::unique_ptr<SourceFile> file;
    ByteSpan fileBytes;  // the whole file, read for a 16-bit module or an ICO file
    Kind kind = Kind::None;
    PeIconModule module;
    NeResourceTable table;
    bool whole = false;
    bool damaged = false;
    bool inMemory = false;
    int bits = 0;
};

// For tests: called once a source file is open and before its bytes are read; answering false
// makes its bytes unreadable from then on, as a drive that went away does. Answers the hook it
// replaces; null removes the hook.
using SourceOpenedHook = bool (*)(const char* path);
SourceOpenedHook SetSourceOpenedHookForTesting(SourceOpenedHook hook);

// The languages in the order the system's resource lookup tries them for a name stored in
// several: neutral, the thread's, the user's and the system's (each also without its
// sublanguage), English. On Linux: neutral, then English (United States); a name stored in
// neither is read in its first stored language.
const std::vector<uint16_t>& ResourceLanguages();

// The path of a module's twin in %WINDIR%\SystemResources when the module lies inside the
// Windows folder, else empty (always on Linux).
std::string SystemResourcesTwin(const char* path);
