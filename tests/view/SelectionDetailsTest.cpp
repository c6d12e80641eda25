// The second status bar pane while icons are selected: one icon's images, or the icon count.
#include <windows.h>

#include <string>

#include "fixtures/IconFixtures.h"
#include "support/MainWindowHarness.h"

namespace {

constexpr const char* Shell32 = "C:\\windows\\system32\\shell32.dll";  // 184 icons, shown first

class SelectionDetailsTest : public MainWindowTest {};

TEST_F(SelectionDetailsTest, OneIconShowsItsImagesSeveralTheCountAndAnotherFileIsDescribedAfresh) {
    // A 16-bit module listed after the shell library.
    const std::string tool =
        temp.WriteFile("tool.exe", fixtures::NeIconModule({{fixtures::BitmapImage(32, 32, 4, 1)}}));
    WriteCatalogue(std::string(Shell32) + "\r\n" + tool + "\r\n");
    Start();
    const auto pane = [this] { return StatusText(dialog->StatusBar(), 1); };
    SelectIcons({0});
    const std::string shell32Summary = pane();
    EXPECT_EQ(shell32Summary.rfind("256x256x256, ", 0), 0u) << shell32Summary;

    SelectIcons({0, 7});
    EXPECT_EQ(pane(), " 184 Icon(s)");
    EXPECT_EQ(describedIconIndex, NoIndex);
    SelectIcons({0});
    EXPECT_EQ(pane(), shell32Summary);

    // Icon 0 again, but of another file.
    SelectCatalogueItem(1);
    SelectIcons({0});
    EXPECT_EQ(pane(), "32x32x16");
}

}  // namespace
