// Writes a starting corpus for the engine's fuzz target from the tests' icon generators.
// Usage: make-seeds FOLDER
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/RandomDamage.h"

using namespace fixtures;

namespace {

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Chunked(const std::vector<std::string>& images) {
    std::vector<GroupEntry> entries;
    for (size_t i = 0; i < images.size(); ++i)
        entries.push_back(EntryFor(images[i], static_cast<uint16_t>(i)));
    const std::string directory = GroupDirectory(entries);
    std::string input = "\x02";
    AppendU16(input, static_cast<uint16_t>(directory.size()));
    input += directory;
    for (const std::string& image : images) {
        AppendU16(input, static_cast<uint16_t>(image.size()));
        input += image;
    }
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-seeds FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    Write(folder + "ne-shift0", "\x01" + NeIconModule({{BitmapImage(16, 16, 4, 1), BitmapImage(8, 8, 1, 2)}}, 0));
    Write(folder + "ne-reversed",
          "\x01" + NeIconModule({{BitmapImage(16, 16, 8, 1)}, {BitmapImage(8, 8, 24, 2)}}, 4, 5, true));
    Write(folder + "group-bitmaps", Chunked({BitmapImage(16, 16, 4, 1), BitmapImage(8, 8, 32, 2)}));
    Write(folder + "pe-groups",
          "\x04" + PeIconLibrary({{BitmapImage(32, 32, 8, 1), PngImage(16, 16, 2)}, {BitmapImage(32, 32, 32, 3)}}));
    Write(folder + "pe32-named",
          "\x04" + PeModule({{3, 1, u"", 0, BitmapImage(32, 32, 4, 1)},
                             {14, 0, u"MAIN", 0x409, GroupDirectory({EntryFor(BitmapImage(32, 32, 4, 1), 1)})}},
                            false));
    Write(folder + "group-png", Chunked({PngImage(8, 8, 3), BitmapImage(8, 8, 1, 4)}));
    Write(folder + "image-png-palette", "\x08" + PalettePngImage(9, 5, 1));
    Write(folder + "image-png", "\x08" + PngImage(8, 8, 2));
    for (int bits : {1, 4, 8, 24, 32})
        Write(folder + "image-bitmap-" + std::to_string(bits), "\x08" + BitmapImage(9, 7, bits, bits));
    // Damaged the way the hostile-input tests damage them, to start the search near the edges.
    std::mt19937 random(1);
    const std::string module = NeIconModule({{BitmapImage(16, 16, 8, 1)}, {BitmapImage(8, 8, 24, 2)}}, 4);
    for (int i = 0; i < 4; ++i)
        Write(folder + "ne-damaged-" + std::to_string(i), "\x01" + CutOrChangeBytes(module, random, 0x100));
    return 0;
}
