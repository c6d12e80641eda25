// The Linux side of export/ImageCommands.h: PNG files through libpng.
#include "export/ImageCommands.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/EngineMessages.h"
#include "engine/IconSource.h"
#include "engine/ImageFacts.h"
#include "engine/SourceReading.h"
#include "engine/Thumbnail.h"
#include "engine/linux/PngCodec.h"
#include "export/ExportRun.h"
#include "files/PathUtilities.h"
#include "files/ReplaceFile.h"

namespace {

constexpr const char* ErrorWritingPngFile = "Error Writing PNG File";

// False when the failure is the folder's: no other file would be written there either.
bool SavePng(const std::string& path, const std::vector<unsigned char>& bytes) {
    const ReplaceResult result = ReplaceFileWith(path, bytes);
    if (result == ReplaceResult::Replaced) return true;
    ReportEngineFailure(path.c_str(),
                        result == ReplaceResult::CannotWrite ? ErrorWritingPngFile : ErrorOpeningForWriting);
    return !FolderFailure(result);
}

// Says which image of which group could not be written, and why.
void FailImage(const std::string& source, int group, size_t image, const char* why) {
    const std::string text = "icon group " + std::to_string(group) + ", image " + std::to_string(image) + ": " + why;
    Fail(source, text.c_str());
    StartSource();  // every image is told
}

// False when the folder refused a file.
bool ExportSourceImages(const std::string& source, const std::string& folder, const GroupChoice& choice) {
    const SourceReading reading(source.c_str());
    if (reading.IconCount() == 0) {
        Fail(source, "No icon groups could be read");
        return true;
    }
    const int chosen = ChosenGroup(choice, reading, source, 0);
    if (chosen < 0) return true;
    const std::string displayName = SourceDisplayName(source.c_str());
    for (int g = choice.given ? chosen : 0; g < (choice.given ? chosen + 1 : reading.IconCount()); ++g) {
        StartSource();  // each group's and image's failure is told, also after one the engine told
        std::vector<ByteSpan> images;
        if (!reading.Images(g, images)) {
            Fail(source, ("icon group " + std::to_string(g) + ": damaged").c_str());
            continue;
        }
        std::map<std::string, int> taken;
        for (size_t k = 0; k < images.size(); ++k) {
            StartSource();
            ImageFacts facts;
            if (!IconImageFacts(images[k], facts)) {
                FailImage(source, g, k, "damaged");
                continue;
            }
            char base[96];
            std::snprintf(base, sizeof base, "_%.3d_%dx%dx%d", g, facts.width, facts.height, facts.bitsPerPixel);
            const int copy = ++taken[base];
            const std::string path =
                folder + displayName + base + (copy > 1 ? "-" + std::to_string(copy) : "") + ".png";
            // A PNG image is decoded too, so that no damaged PNG file is written.
            RgbaImage picture;
            const ImageDecode decode = DecodeIconImage(images[k], picture);
            if (decode != ImageDecode::Decoded) {
                FailImage(source, g, k, DecodeRefusal(decode));
                continue;
            }
            std::vector<unsigned char> png;
            if (facts.png) {
                png.assign(images[k].Data(), images[k].Data() + images[k].Size());
            } else if (!EncodePng(picture, png)) {
                ReportEngineFailure(path.c_str(), ErrorAllocatingMemory);
                continue;
            }
            if (!SavePng(path, png)) return false;
        }
    }
    return true;
}

void WriteThumbnail(int size, const std::string& sourceArgument, const char* outputPath, const GroupChoice& choice) {
    const std::string source = SourcePath(sourceArgument);
    if (!PathExists(source.c_str())) return Fail(source, "No such file");
    // Of a module's images only the chosen group's are read.
    const SourceReading reading(source.c_str(), SourceReading::ImageReading::OnDemand);
    const int group = ChosenGroup(choice, reading, source, 0);
    if (group < 0) return;
    std::vector<ByteSpan> images;
    if (!reading.Images(group, images)) return Fail(source, "No icon could be read");
    RgbaImage scaled;
    const ImageDecode decode = ThumbnailPicture(images, size, scaled);
    if (reading.Lost()) return Fail(source, "No icon could be read");
    if (decode != ImageDecode::Decoded)
        return Fail(source, ("icon " + std::to_string(group) + ": " + DecodeRefusal(decode)).c_str());
    std::vector<unsigned char> png;
    if (!EncodePng(scaled, png, true)) return ReportEngineFailure(outputPath, ErrorAllocatingMemory);
    SavePng(outputPath, png);
}

}  // namespace

const bool HasImageCommands = true;

void RunImageCommand(const ExportOptions& options) {
    if (options.command == ExportCommand::Png)
        ForEachSource(options.folder, options.sources, [&](const std::string& source, const std::string& folder) {
            return ExportSourceImages(source, folder, options.group);
        });
    else if (options.command == ExportCommand::Thumbnail)
        WriteThumbnail(options.size, options.sources.front(), options.output.c_str(), options.group);
}
