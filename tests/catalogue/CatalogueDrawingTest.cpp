// How the catalogue list draws its items and in which order a user sees them.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/DisplayScale.h"
#include "support/Canvas.h"
#include "support/MainWindowHarness.h"
#include "resource.h"

namespace {

constexpr COLORREF Marker = RGB(1, 2, 3);  // what lay beneath before the item was drawn
// A line's geometry at 96 DPI: 16 pixels high, the band 18 pixels in, the text 20.
const int Width = Scaled(140);
const int Line = Scaled(16);
const int Band = Scaled(18);
const int Text = Scaled(20);

class CatalogueDrawingTest : public MainWindowTest {
protected:
    void Draw(Canvas& canvas, int top, int index, UINT action, UINT state) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_LISTBOX;
        draw.CtlID = IDC_CATALOGUE_LIST;
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = action;
        draw.itemState = state;
        draw.hwndItem = dialog->CatalogueList();
        draw.hDC = canvas.Dc();
        draw.rcItem = {0, top, Width, top + Line};
        draw.itemData = reinterpret_cast<ULONG_PTR>(index >= 0 ? EntryOf(index) : nullptr);
        SendMessageA(Window(), WM_DRAWITEM, IDC_CATALOGUE_LIST, reinterpret_cast<LPARAM>(&draw));
    }
};

TEST_F(CatalogueDrawingTest, SelectionPaintsTheBandRightOfTheIconAndFocusInverts) {
    WriteCatalogue("C:\\windows\\notepad.exe\r\n");
    Start();
    EXPECT_EQ(SendMessageA(dialog->CatalogueList(), LB_GETITEMHEIGHT, 0, 0), Line) << "one row per small icon";
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    Canvas canvas(Width, 4 * Line, Marker);
    Draw(canvas, 0, 0, ODA_SELECT, ODS_SELECTED);
    Draw(canvas, Line, 0, ODA_SELECT, 0);                            // the item has just lost the selection
    Draw(canvas, 2 * Line, -1, ODA_DRAWENTIRE, ODS_SELECTED | ODS_FOCUS);  // an empty list

    // Selected: the band from 18 pixels in, the text in the highlight's text colour; the icon
    // in its column on what lay beneath.
    EXPECT_EQ(canvas.Pixel(Band, 0), highlight);
    EXPECT_EQ(canvas.Pixel(Width - 1, Line - 1), highlight);
    EXPECT_EQ(canvas.Pixel(Band - 1, 0), Marker);
    EXPECT_EQ(canvas.Pixel(0, Line / 2), Marker);
    EXPECT_GT(canvas.Colours(Scaled(2), 0, Band, Line).size(), 2u) << "the file's small icon";
    EXPECT_TRUE(canvas.Colours(Text, 0, Width, Line).count(GetSysColor(COLOR_HIGHLIGHTTEXT)));
    // Deselected: the band back in the window colour, the text in the window's text colour.
    EXPECT_EQ(canvas.Pixel(Band, Line), window);
    EXPECT_EQ(canvas.Pixel(Width - 1, 2 * Line - 1), window);
    EXPECT_TRUE(canvas.Colours(Text, Line, Width, 2 * Line).count(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(canvas.Colours(Scaled(2), 0, Band, Line), canvas.Colours(Scaled(2), Line, Band, 2 * Line));
    EXPECT_EQ(canvas.Colours(0, 2 * Line, Width, 3 * Line), std::set<COLORREF>{Marker}) << "nothing for an empty list";

    // The focus rectangle starts at the band and is drawn by inversion: twice leaves no trace.
    std::set<COLORREF> edge = canvas.Colours(Band, 0, Width, 1);
    Draw(canvas, 0, 0, ODA_FOCUS, ODS_SELECTED | ODS_FOCUS);
    EXPECT_NE(canvas.Colours(Band, 0, Width, 1), edge);
    EXPECT_EQ(canvas.Colours(0, 0, Band, Line), canvas.Colours(0, Line, Band, 2 * Line)) << "nothing left of the band";
    Draw(canvas, 0, 0, ODA_FOCUS, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(canvas.Colours(Band, 0, Width, 1), edge);
}

// The list keeps its names in order without regard to letter case anywhere in the name.
TEST_F(CatalogueDrawingTest, NamesAreOrderedWithoutRegardToCase) {
    Start();
    std::vector<std::string> names = {"abe.exe", "zed.exe", "ABD.exe", "abc.exe", "one\\Same.exe", "two\\SAME.exe"};
    CreateDirectoryA((temp.Path() + "one").c_str(), nullptr);
    CreateDirectoryA((temp.Path() + "two").c_str(), nullptr);
    for (const std::string& name : names) {
        std::string path = temp.Path() + name;
        ASSERT_TRUE(CopyFileA("C:\\windows\\notepad.exe", path.c_str(), FALSE));
        ASSERT_TRUE(AddCatalogueFile(path)) << name;
    }
    std::vector<std::string> shown = CatalogueNames();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 3),
              ShownNames({"Abc.exe", "ABD.exe", "Abe.exe"}));
    EXPECT_TRUE((shown[3] == Shown("Same.exe") && shown[4] == Shown("SAME.exe")) ||
                (shown[3] == Shown("SAME.exe") && shown[4] == Shown("Same.exe")))
        << shown[3] << " " << shown[4];
    EXPECT_EQ(shown[5], Shown("Zed.exe"));
}

}  // namespace
