// Writes four 16-bit modules for tools/compare-exports.sh: bitmap and PNG images, a wide shift,
// records in reverse order, and one whose second group names an image it lacks.
#include <fstream>
#include <string>

#include "fixtures/IconFixtures.h"

using namespace fixtures;

namespace {

void Write(const std::string& folder, const char* name, const std::string& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    Write(folder, "ne_plain.exe",
          NeIconModule({{BitmapImage(32, 32, 4, 1), BitmapImage(16, 16, 8, 2)}, {BitmapImage(48, 48, 32, 3)}}));
    Write(folder, "ne_png.dll", NeIconModule({{PngImage(256, 256, 4), BitmapImage(32, 32, 24, 5)}}, 9));
    Write(folder, "ne_reversed.exe",
          NeIconModule({{BitmapImage(16, 16, 1, 6)}, {BitmapImage(32, 32, 8, 7), PalettePngImage(48, 48, 8)}}, 4, 7,
                       true));
    std::string cut = NeIconModule({{BitmapImage(32, 32, 4, 9)}, {BitmapImage(32, 32, 32, 10)}});
    Write(folder, "ne_cut.exe", cut.substr(0, cut.size() - 300));
    return 0;
}
