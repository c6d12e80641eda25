// Damaged copies of a real program (the prefix's regedit.exe), cut inside its resources or with
// bytes of its resources changed: read by the program's own readers only, in the catalogue at
// start-up, when added and when their icons are shown.
#include <windows.h>

#include <random>

#include "engine/SourceReading.h"
#include "fixtures/PeFixtures.h"
#include "support/MainWindowHarness.h"
#include "support/RandomDamage.h"

namespace {

constexpr const char* Regedit = "C:\\windows\\regedit.exe";

// Copies damaged inside the resource section.
std::vector<std::string> DamagedCopies(const std::string& module, int count, unsigned seed) {
    size_t start = 0, size = 0;
    fixtures::PeResourceSection(module, start, size);
    std::mt19937 random(seed);
    std::vector<std::string> copies;
    for (int i = 0; i < count; ++i)
        copies.push_back(DamagedModuleCopy(module, start, size, random));
    return copies;
}

class DamagedFilesTest : public MainWindowTest {};

}  // namespace

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
