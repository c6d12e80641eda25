// The compiled resources: identifiers, pictures, templates and the manifest, as Windows reads them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "framework/CWinApp.h"
#include "resource.h"
#include "support/MainWindowHarness.h"

namespace {

TEST(Resources, NoNumberIsUsedTwiceForOneKindOfIdentifier) {
    std::ifstream header(HostPathToWindows(GLYPHDOCK_RESOURCE_HEADER));
    ASSERT_TRUE(header) << GLYPHDOCK_RESOURCE_HEADER;
    // Kinds by prefix; the About box's controls are numbered apart from the main window's.
    const std::regex define(R"(#define\s+(ID[A-Z]*_)(\w+)\s+(\d+))");
    std::map<std::string, std::map<long, std::string>> byKind;
    std::string line;
    int defines = 0;
    while (std::getline(header, line)) {
        std::smatch match;
        if (!std::regex_search(line, match, define)) continue;
        std::string kind = match[1];
        if (kind == "IDC_" && match[2].str().rfind("ABOUT_", 0) == 0) kind = "IDC_ABOUT_";
        std::string name = kind + match[2].str();
        long number = std::stol(match[3]);
        auto [it, fresh] = byKind[kind].emplace(number, name);
        EXPECT_TRUE(fresh) << name << " reuses " << number << " of " << it->second;
        ++defines;
    }
    EXPECT_GT(defines, 25);
}

// The strip for 100%, and those for 150% and 200%, each of fourteen pictures.
TEST(Resources, CommandBitmapsHoldFourteenPicturesIn16ColoursAtEachScale) {
    struct Strip {
        int id, width, height;
    };
    for (Strip strip : {Strip{IDB_COMMANDS, 16, 15}, Strip{IDB_COMMANDS_150, 24, 23}, Strip{IDB_COMMANDS_200, 32, 30}}) {
        SCOPED_TRACE(strip.id);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(AppInstance(), MAKEINTRESOURCEA(strip.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
        EXPECT_EQ(section.dsBm.bmWidth, 14 * strip.width);
        EXPECT_EQ(section.dsBm.bmHeight, strip.height);
        EXPECT_EQ(section.dsBmih.biBitCount, 4);
        DeleteObject(bitmap);
    }
}

TEST(Resources, SplitterCursorIsMonochrome32By32WithItsHotSpotAt15) {
    HCURSOR cursor = LoadCursorA(AppInstance(), MAKEINTRESOURCEA(IDCUR_SPLITTER));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 15u);
    EXPECT_EQ(info.yHotspot, 15u);
    EXPECT_EQ(info.hbmColor, nullptr) << "a monochrome cursor has no colour bitmap";
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64) << "mask and image, one above the other";
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    EXPECT_NE(LoadCursorA(AppInstance(), MAKEINTRESOURCEA(IDCUR_HAND)), nullptr);
}

TEST(Resources, ProgramIconHas16To64PixelImagesIn16Colours) {
    HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_MAIN), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(directory, nullptr);
    WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    ASSERT_EQ(count, 4);
    std::set<int> widths;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;
        widths.insert(entry[0]);
        EXPECT_EQ(entry[2], 16) << "colour count";
        EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 4) << "bits per pixel";
    }
    EXPECT_EQ(widths, (std::set<int>{16, 32, 48, 64})) << "for 100%, 150% and 200%";
    const auto icon48 = static_cast<HICON>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, 48, 48, 0));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon48, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 48);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon48);
    EXPECT_NE(LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, 16, 16, 0), nullptr);
}

TEST(Resources, ManifestAsksForCommonControls6NoElevationAndTheSystemsDpi) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                         SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
    // Aware of the system's DPI, in the namespaces where Windows looks for each element.
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">system"
                            "</dpiAwareness>"),
              std::string::npos)
        << "per-monitor awareness is not asked for";
}

TEST(Resources, VersionResourceNamesTheProduct) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    char* name = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904b0\\ProductName", reinterpret_cast<void**>(&name),
                               &length));
    EXPECT_STREQ(name, "Glyphdock");
}

// The controls of the main window's template, as created.
TEST_F(MainWindowTest, TemplateGivesTheControlsTheirStylesAndTabOrder) {
    ExplorerDialog& window = Start();
    HWND hwnd = window.GetSafeHwnd();
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    const LONG_PTR windowBits[] = {WS_CAPTION,     WS_SYSMENU,     WS_THICKFRAME,
                                   WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_CLIPCHILDREN};
    for (LONG_PTR bit : windowBits)
        EXPECT_EQ(style & bit, bit);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    LONG_PTR list = GetWindowLongPtrA(window.CatalogueList(), GWL_STYLE);
    // The list box itself manages its scroll bar and border bits, so those are not looked at.
    const LONG_PTR listBits[] = {LBS_OWNERDRAWFIXED, LBS_HASSTRINGS,       LBS_SORT,
                                 LBS_NOTIFY,         LBS_NOINTEGRALHEIGHT, WS_TABSTOP};
    for (LONG_PTR bit : listBits)
        EXPECT_EQ(list & bit, bit) << std::hex << bit;

    LONG_PTR view = GetWindowLongPtrA(window.IconView(), GWL_STYLE);
    EXPECT_EQ(view & LVS_TYPEMASK, LVS_ICON);
    EXPECT_TRUE(view & LVS_AUTOARRANGE);
    EXPECT_TRUE(view & LVS_SHAREIMAGELISTS) << "the view must never destroy the icon cache";
    EXPECT_TRUE(view & WS_TABSTOP);

    LONG_PTR groups = GetWindowLongPtrA(window.GetDlgItem(IDC_GROUP_NAME_LIST), GWL_STYLE);
    EXPECT_FALSE(groups & LBS_SORT) << "group names keep their enumeration order";
    EXPECT_FALSE(groups & WS_VISIBLE);

    // The dialog font that the system maps to its scalable face.
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Shell Dlg");

    EXPECT_EQ(GetNextDlgTabItem(hwnd, nullptr, FALSE), window.CatalogueList());
    EXPECT_EQ(GetNextDlgTabItem(hwnd, window.CatalogueList(), FALSE), window.IconView());
}

}  // namespace
