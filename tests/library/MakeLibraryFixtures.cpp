// Writes the library tests' sources into the folder named: a 64-bit module with a named group,
// a group whose preferred image is cut short and a version block (icons.dll), a 16-bit module
// (old.exe), a module without icons (noicons.dll), one whose resource directory is broken
// (damaged.dll) and a text file (notes.txt).
#include <fstream>
#include <string>

#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"

using namespace fixtures;

namespace {

bool written = true;

void Write(const std::string& folder, const char* name, const std::string& bytes) {
    std::ofstream file(folder + "/" + name, std::ios::binary);
    written = (file << bytes).flush() && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    const std::string small = BitmapImage(16, 16, 4, 1), full = BitmapImage(32, 32, 32, 2), png = PngImage(48, 48, 3);
    const std::string palette = BitmapImage(32, 32, 8, 4), cut = BitmapImage(32, 32, 32, 5).substr(0, 200);
    const std::string version = VersionResource(
        true, {1, 2, 3, 4}, {{"040904b0", {{"ProductName", "Dock"}, {"CompanyName", "Maker"}, {"FileVersion", "1.2"}}}});
    const std::string icons =
        PeModule({{3, 1, u"", 0, small},
                  {3, 2, u"", 0, full},
                  {3, 3, u"", 0, png},
                  {3, 4, u"", 0, palette},
                  {3, 5, u"", 0, cut},
                  {14, 0, u"MAIN", 0x409, GroupDirectory({EntryFor(small, 1), EntryFor(full, 2), EntryFor(png, 3)})},
                  {14, 7, u"", 0, GroupDirectory({EntryFor(palette, 4), EntryFor(cut, 5)})},
                  {14, 9, u"", 0, GroupDirectory({EntryFor(full, 2), EntryFor(small, 1)})},
                  {16, 1, u"", 0x409, version}});
    Write(folder, "icons.dll", icons);
    Write(folder, "old.exe", NeIconModule({{BitmapImage(32, 32, 4, 6), BitmapImage(16, 16, 1, 7)}}));
    Write(folder, "noicons.dll", PeModule({{16, 1, u"", 0x409, version}}));
    std::string damaged = icons;
    damaged.replace(PeResourceFileOffset + 12, 4, "\xff\xff\xff\xff");  // more entries than the file holds
    Write(folder, "damaged.dll", damaged);
    Write(folder, "notes.txt", "just text\n");
    return written ? 0 : 1;
}
