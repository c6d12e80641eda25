// The second status bar pane while icons are selected: one icon's images, or the icon count.
#include <windows.h>

#include <string>

#include "app/ProcessObjects.h"
#include "support/EngineTestSupport.h"
#include "engine/IconSource.h"
#include "support/MainWindowHarness.h"

namespace {

constexpr const char* Shell32 = "C:\\windows\\system32\\shell32.dll";

class SelectionDetailsTest : public MainWindowTest {
protected:
    std::string Pane() { return StatusText(dialog->StatusBar(), 1); }
};

TEST_F(SelectionDetailsTest, OneIconShowsItsImagesSeveralShowTheCount) {
    WriteCatalogue(std::string(Shell32) + "\r\n");
    Start();
    SelectIcons({0});
    EXPECT_EQ(Pane().rfind("256x256x256, ", 0), 0u) << Pane();
    EXPECT_EQ(describedIconIndex, 0);

    SelectIcons({0, 7});
    EXPECT_EQ(Pane(), " 184 Icon(s)");
    EXPECT_EQ(describedIconIndex, NoIndex);

    SelectIcons({7});
    std::string expected;
    NameList list;
    ASSERT_TRUE(DescribeIconGroup(Shell32, list.Handle(), 7, expected));
    EXPECT_EQ(Pane(), expected);
}

TEST_F(SelectionDetailsTest, AnotherFilesIconZeroIsDescribedAfresh) {
    const std::string icons = FixturePath("icons64.dll");
    WriteCatalogue(std::string(Shell32) + "\r\n" + icons + "\r\n");
    Start();
    const int iconsLine = CataloguePaths()[0] == icons ? 0 : 1;
    SelectCatalogueItem(1 - iconsLine);
    SelectIcons({0});
    const std::string shell32Summary = Pane();
    SelectCatalogueItem(iconsLine);
    EXPECT_EQ(Pane(), " 10 Icon(s)");
    SelectIcons({0});
    NameList list;
    std::string expected;
    ASSERT_TRUE(DescribeIconGroup(icons.c_str(), list.Handle(), 0, expected));
    EXPECT_EQ(Pane(), expected);
    EXPECT_NE(Pane(), shell32Summary);
}

}  // namespace
