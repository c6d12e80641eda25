// Damaged copies of a real program (the prefix's regedit.exe), cut inside its resources or with
// bytes of its resources changed: read by the program's own readers only, in the catalogue at
// start-up, when added and when their icons are shown. And copies whose bytes cannot be read
// once the file is open (a network drive that drops, a removed disk).
#include <windows.h>

#include <random>

#include "engine/SourceReading.h"
#include "fixtures/PeFixtures.h"
#include "support/MainWindowHarness.h"
#include "support/RandomDamage.h"
#include "support/TestSeam.h"
#include "resource.h"

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

class DamagedFilesTest : public MainWindowTest {
protected:
    void TearDown() override {
        MainWindowTest::TearDown();
        vanishing.clear();
    }
    // The copy of regedit.exe whose bytes cannot be read from now on.
    static void Vanish(const std::string& path) { vanishing = path; }
    void CloseAndExpectCatalogue(const std::string& lines) {
        const HWND window = Window();
        Command(ID_FILE_EXIT);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(ReadWholeFile(CatalogueFile()), lines);
    }
    static inline std::string vanishing;
    const TestSeam<SourceOpenedHook> vanishingSource{SetSourceOpenedHookForTesting, [](const char* opened) {
                                                         return vanishing.empty() ||
                                                                lstrcmpiA(opened, vanishing.c_str()) != 0;
                                                     }};
};

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

TEST_F(DamagedFilesTest, AFileWhoseBytesVanishAtStartUpIsLeftOutAndTheRestSaved) {
    const std::string copy = temp.WriteFile("vanishing.exe", ReadWholeFile(Regedit));
    WriteCatalogue(copy + "\r\n" + Regedit + "\r\n");
    Vanish(copy);
    robot.Expect(DialogRobot::Press(IDOK));
    Start();
    robot.Verify();
    EXPECT_EQ(robot.Seen().at(0).texts.back(), "The selected file does not contain icons.");
    EXPECT_EQ(CataloguePaths(), std::vector<std::string>{Regedit});
    CloseAndExpectCatalogue(std::string(Regedit) + "\r\n");
}

TEST_F(DamagedFilesTest, AFileWhoseBytesVanishWhenShownShowsNoIconsUntilItCanBeReadAgain) {
    const std::string copy = temp.WriteFile("vanishing.exe", ReadWholeFile(Regedit));
    WriteCatalogue(copy + "\r\n" + Regedit + "\r\n");
    Start();
    ASSERT_EQ(CataloguePaths(), (std::vector<std::string>{Regedit, copy}));
    Vanish(copy);
    SelectCatalogueItem(1);
    EXPECT_TRUE(ListViewItems(dialog->IconView()).empty());
    EXPECT_EQ(StatusText(dialog->StatusBar(), 1), " 0 Icon(s)");
    Vanish("");
    SelectCatalogueItem(0);
    SelectCatalogueItem(1);
    EXPECT_EQ(ListViewItems(dialog->IconView()).size(), 6u);
    CloseAndExpectCatalogue(std::string(Regedit) + "\r\n" + copy + "\r\n");
}
