// A catalogue line's small icon and display name, asked without a shell call that opens the
// file, equal what the shell gives for the file itself.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>

#include "catalogue/CatalogueLook.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/EngineTestSupport.h"
#include "support/MainWindowHarness.h"
#include "support/TempFolder.h"
#include "pictures/IconPictures.h"

namespace {

void ExpectTheShellsLook(const std::string& path) {
    SCOPED_TRACE(path);
    const SourceReading reading(path.c_str());
    ASSERT_TRUE(reading.AcceptedWhole());
    char name[MAX_PATH];
    CatalogueDisplayName(path.c_str(), name);
    HICON ours = CatalogueSmallIcon(path.c_str(), reading);

    SHFILEINFOA info{};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON));
    ASSERT_TRUE(list);
    HICON shells = ImageList_GetIcon(list, info.iIcon, ILD_NORMAL);
    EXPECT_STREQ(name, info.szDisplayName);

    IconPicture a, b;
    a.size = b.size = SmallIconSide();
    ASSERT_TRUE(PictureOfIcon(ours, a));
    ASSERT_TRUE(PictureOfIcon(shells, b));
    DestroyIcon(ours);
    DestroyIcon(shells);
    EXPECT_TRUE(a.colour == b.colour);
    EXPECT_TRUE(a.mask == b.mask);
}

}  // namespace

TEST(CatalogueLook, SmallIconsAndNamesEqualTheShellsForTheFileItself) {
    for (const char* path :
         {"C:\\windows\\notepad.exe", "C:\\WINDOWS\\REGEDIT.EXE", "C:\\windows\\system32\\shell32.dll",
          "C:\\windows\\system32\\user32.dll", "C:\\windows\\system32\\appwiz.cpl"})
        ExpectTheShellsLook(path);
    ExpectTheShellsLook(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON));
    ExpectTheShellsLook(FixturePath("icons64.dll"));
    using namespace fixtures;
    TempFolder folder;
    // Programs without a 16x16 image, which the system scales, and with one of 32 bits.
    ExpectTheShellsLook(folder.WriteFile("Large.exe", PeIconLibrary({{BitmapImage(32, 32, 8, 1)}})));
    ExpectTheShellsLook(
        folder.WriteFile("wide.exe", PeIconLibrary({{BitmapImage(48, 48, 4, 2), PngImage(256, 256, 3)}})));
    ExpectTheShellsLook(
        folder.WriteFile("alpha.exe", PeIconLibrary({{BitmapImage(32, 32, 32, 4), BitmapImage(16, 16, 32, 5)}})));
    ExpectTheShellsLook(folder.WriteFile("library.icl", PeIconLibrary({{BitmapImage(16, 16, 8, 6)}})));
}
