// Damaged copies of a real program (the prefix's regedit.exe), cut inside its resources or with
// bytes of its resource directory changed: read by the program's own readers only, in the
// catalogue at start-up, when added and when their icons are shown.
#include <windows.h>

#include <random>

#include "engine/SourceReading.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/MainWindowHarness.h"
#include "support/RandomDamage.h"
#include "view/IconStrip.h"

namespace {

constexpr const char* Regedit = "C:\\windows\\regedit.exe";

// Copies cut inside the resource section and copies with 1 to 4 bytes of its directories
// changed, in turn.
std::vector<std::string> DamagedCopies(const std::string& module, int count, unsigned seed) {
    size_t start = 0, size = 0;
    fixtures::PeResourceSection(module, start, size);
    std::mt19937 random(seed);
    std::vector<std::string> copies;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            copies.push_back(module.substr(0, start + random() % size));
            continue;
        }
        const std::string directories = ChangeBytes(module.substr(start, std::min<size_t>(size, 0x300)), random);
        copies.push_back(module.substr(0, start) + directories + module.substr(start + directories.size()));
    }
    return copies;
}

class DamagedFilesTest : public MainWindowTest {};

}  // namespace

TEST(DamagedFiles, ManyCopiesGoThroughTheReaderAndThePictures) {
    const std::string module = ReadWholeFile(Regedit);
    ASSERT_FALSE(module.empty());
    TempFolder folder;
    int readable = 0;
    for (const std::string& copy : DamagedCopies(module, 200, 11)) {
        const std::string path = folder.WriteFile("regedit.exe", copy);
        const SourceReading reading(path.c_str());
        IconPicture picture;
        for (int i = 0; i < reading.IconCount(); ++i)
            SourceIconPicture(reading, i, 24, picture);
        readable += reading.IconCount() > 0;
    }
    EXPECT_GT(readable, 0);
}

TEST_F(DamagedFilesTest, TheProgramStartsShowsAndAddsThem) {
    const std::string module = ReadWholeFile(Regedit);
    ASSERT_FALSE(module.empty());
    std::string catalogue;
    int withoutIcons = 0;
    std::vector<std::string> paths;
    const std::vector<std::string> copies = DamagedCopies(module, 16, 12);
    for (size_t i = 0; i < copies.size(); ++i) {
        const std::string path = temp.WriteFile("damaged" + std::to_string(i) + ".exe", copies[i]);
        paths.push_back(path);
        if (i < 10) {
            catalogue += path + "\r\n";
            withoutIcons += SourceReading(path.c_str()).IconCount() == 0;
        }
    }
    WriteCatalogue(catalogue);
    for (int i = 0; i < withoutIcons; ++i)
        robot.Expect(DialogRobot::Press(IDOK));
    Start();
    ASSERT_EQ(Catalogue().GetCount(), 10 - withoutIcons);
    for (int i = 0; i < Catalogue().GetCount(); ++i) {
        SelectCatalogueItem(i);
        EXPECT_EQ(static_cast<int>(ListViewItems(dialog->IconView()).size()), EntryOf(i)->iconCount);
    }
    for (size_t i = 10; i < paths.size(); ++i) {
        const bool icons = SourceReading(paths[i].c_str()).IconCount() > 0;
        if (!icons) robot.Expect(DialogRobot::Press(IDOK));
        EXPECT_EQ(AddCatalogueFile(paths[i]), icons);
    }
    for (int i = 0; i < Catalogue().GetCount(); ++i)
        SelectCatalogueItem(i);
}
