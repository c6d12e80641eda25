// The owner-drawn File and Help items: how they look in each state, and their mnemonic letters.
#include <windows.h>

#include <map>

#include "app/CommandTable.h"
#include "framework/DisplayScale.h"
#include "support/Canvas.h"
#include "support/MainWindowHarness.h"
#include "resource.h"
#include "ui/MenuItems.h"

namespace {

constexpr COLORREF Marker = RGB(1, 2, 3);  // what lay beneath before the item was drawn
const int Width = Scaled(160);
const int Row = Scaled(20);  // each drawing gets its own row of the canvas
const int Height = Scaled(19);
// The picture at the item's left + 2, top + 2 (at 96 DPI), its box one pixel beyond it, the
// band right of the box and the text 2 pixels into the band.
const int Inset = Scaled(2);
const CommandPictures Cell = CommandPicturesForScreen();
const int BoxRight = Inset + Cell.width + 1;
const int BoxBottom = Inset + Cell.height + 1;
const int TextLeft = BoxRight + 1 + Scaled(2);

class MenuItemsTest : public MainWindowTest {
protected:
    HMENU FileMenu() { return GetSubMenu(GetMenu(Window()), 0); }
    HMENU HelpMenu() { return GetSubMenu(GetMenu(Window()), 1); }

    // Sends the window the drawing request the window system sends for item `position`.
    void Draw(Canvas& canvas, int row, int position, UINT action, UINT state) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemID = GetMenuItemID(FileMenu(), position);
        draw.itemAction = action;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(FileMenu());
        draw.hDC = canvas.Dc();
        draw.rcItem = {0, row * Row, Width, row * Row + Height};
        draw.itemData = reinterpret_cast<ULONG_PTR>(MenuItemRecordOf(FileMenu(), position));
        ASSERT_NE(draw.itemData, 0u);
        SendMessageA(Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    }

    // Opens a menu of the menu bar as Alt and its letter do, and types `letter` once the popup
    // shows (the menu loop opens it only after the messages already queued); letter 0 closes it.
    void TypeInMenu(char menuLetter, char letter) {
        pending = {Window(), letter};
        SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
            HWND popup = FindWindowA("#32768", nullptr);
            if (!popup || !IsWindowVisible(popup)) return;
            KillTimer(nullptr, timer);
            if (pending.letter)
                PostMessageA(pending.window, WM_CHAR, static_cast<WPARAM>(pending.letter), 1);
            else
                EndMenu();
        });
        PostMessageA(Window(), WM_SYSCOMMAND, SC_KEYMENU, menuLetter);
    }
    struct Pending {
        HWND window;
        char letter;
    };
    static inline Pending pending{};

    LRESULT MenuChar(char letter, HMENU menu) {
        return SendMessageA(Window(), WM_MENUCHAR, MAKEWPARAM(letter, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    }
};

// What matters to the eye: the picture in its column, the band in the highlight colour right of
// it, the raised frame only on the highlighted enabled item, the greyed picture when disabled.
TEST_F(MenuItemsTest, ItemsWithPicturesLookLikeToolbarButtons) {
    Start();
    constexpr int Copy = 4, UndoDelete = 2;
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    Canvas canvas(Width, 4 * Row, Marker);
    Draw(canvas, 0, Copy, ODA_DRAWENTIRE, 0);
    Draw(canvas, 1, Copy, ODA_SELECT, ODS_SELECTED);
    Draw(canvas, 2, UndoDelete, ODA_DRAWENTIRE, ODS_DISABLED | ODS_GRAYED);
    Draw(canvas, 3, UndoDelete, ODA_SELECT, ODS_SELECTED | ODS_DISABLED | ODS_GRAYED);
    auto picture = [&](int row) {
        return canvas.Colours(Inset, row * Row + Inset, Inset + Cell.width, row * Row + Inset + Cell.height);
    };
    auto band = [&](int row) { return canvas.Pixel(Width - 2, row * Row + Inset); };

    // Idle: the picture in colour, the box outlined in the menu colour, the band left as it was.
    EXPECT_GT(picture(0).size(), 2u) << "the picture with its own colours";
    EXPECT_EQ(canvas.Pixel(0, 0), menu);
    EXPECT_EQ(canvas.Pixel(BoxRight, Height / 2), menu);
    EXPECT_EQ(canvas.Pixel(BoxRight / 2, BoxBottom), menu);
    EXPECT_EQ(band(0), Marker);
    EXPECT_NE(canvas.Colours(TextLeft, 2, Width, Height - 2).count(GetSysColor(COLOR_MENUTEXT)), 0u) << "its text";

    // Highlighted: the band from 20 pixels in, a raised frame, the picture's column untouched.
    EXPECT_EQ(band(1), highlight);
    EXPECT_EQ(canvas.Pixel(BoxRight + 1, Row + Height / 2), highlight);
    EXPECT_EQ(canvas.Pixel(1, Row + 1), Marker);
    EXPECT_EQ(canvas.Pixel(0, Row), light);
    EXPECT_EQ(canvas.Pixel(BoxRight / 2, Row), light);
    EXPECT_EQ(canvas.Pixel(BoxRight, Row + Height / 2), dark);
    EXPECT_EQ(canvas.Pixel(BoxRight / 2, Row + BoxBottom), dark);
    EXPECT_EQ(picture(1), picture(0)) << "the same picture";
    EXPECT_NE(canvas.Colours(TextLeft, Row + 2, Width, Row + Height - 2).count(GetSysColor(COLOR_HIGHLIGHTTEXT)), 0u);

    // Disabled: the picture greyed (only the embossing colours on what lay beneath), the text
    // embossed rather than in the menu's text colour.
    std::set<COLORREF> greyed = picture(2);
    EXPECT_TRUE(greyed.count(dark));
    for (COLORREF colour : greyed)
        EXPECT_TRUE(colour == Marker || colour == light || colour == dark) << std::hex << colour;
    EXPECT_EQ(canvas.Colours(TextLeft, 2 * Row + 2, Width, 2 * Row + Height - 2).count(GetSysColor(COLOR_MENUTEXT)), 0u);

    // Highlighted and disabled: the band and the greyed picture, no frame, the text in the
    // inactive caption's text colour.
    EXPECT_EQ(band(3), highlight);
    EXPECT_EQ(picture(3), greyed);
    EXPECT_EQ(canvas.Pixel(0, 3 * Row), Marker);
    EXPECT_EQ(canvas.Pixel(BoxRight, 3 * Row + Height / 2), Marker);
    std::set<COLORREF> text = canvas.Colours(TextLeft, 3 * Row + 2, Width, 3 * Row + Height - 2);
    EXPECT_TRUE(text.count(GetSysColor(COLOR_INACTIVECAPTIONTEXT)));
    EXPECT_FALSE(text.count(GetSysColor(COLOR_HIGHLIGHTTEXT)));
}

// The window system must tell the drawing that Undo Delete is disabled when the real menu shows.
TEST_F(MenuItemsTest, OpenFileMenuDrawsUndoDeleteAsDisabled) {
    Start();
    static std::map<UINT, UINT> states;  // item -> state of its last drawing
    static WNDPROC previous = nullptr;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_DRAWITEM && wp == 0) {
                const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
                states[draw->itemID] = draw->itemState;
            }
            return CallWindowProcA(previous, w, m, wp, lp);
        })));
    TypeInMenu('f', 0);
    PumpMessages();
    ASSERT_TRUE(states.count(ID_FILE_UNDO_DELETE));
    EXPECT_TRUE(states[ID_FILE_UNDO_DELETE] & ODS_DISABLED);
    EXPECT_FALSE(states[ID_FILE_NEW] & ODS_DISABLED);
}

TEST_F(MenuItemsTest, ItemsWithoutPictureHighlightTheirWholeWidth) {
    Start();
    constexpr int Exit = 8;
    Canvas canvas(Width, 2 * Row, Marker);
    Draw(canvas, 0, Exit, ODA_SELECT, ODS_SELECTED);
    Draw(canvas, 1, Exit, ODA_FOCUS, ODS_SELECTED);
    EXPECT_EQ(canvas.Pixel(0, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(Width - 1, Height - 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.Colours(0, Row, Width, 2 * Row), std::set<COLORREF>{Marker}) << "the focus action draws nothing";
}

TEST_F(MenuItemsTest, MnemonicLettersAnswerByTheMenusItemCount) {
    Start();
    EXPECT_EQ(MenuChar('b', FileMenu()), 0);
    // The menu bar has two items, like the Help menu: c and a choose File and Help.
    HMENU bar = GetMenu(Window());
    EXPECT_EQ(MenuChar('c', bar), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(MenuChar('a', bar), MAKELRESULT(1, MNC_EXECUTE));
}

TEST_F(MenuItemsTest, TypingXInTheOpenFileMenuExits) {
    HWND window = Start().GetSafeHwnd();
    TypeInMenu('f', 'x');
    RunModalLoopFor(5000);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MenuItemsTest, TypingAInTheOpenHelpMenuShowsTheAboutBox) {
    Start();
    robot.Expect(DialogRobot::Press(IDOK));
    TypeInMenu('h', 'a');
    for (int i = 0; i < 100 && robot.Seen().empty(); ++i)
        PumpMessages();
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "About Glyphdock");
}

// A change of the system's menu font (its size, or Windows' text size) reaches the items: the
// font is made again from the system's, and other setting changes leave it alone.
TEST_F(MenuItemsTest, MenuFontIsMadeAgainWhenTheSystemsChanges) {
    Start();
    const HFONT before = MenuFont();
    SendMessageA(Window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    const HFONT after = MenuFont();
    EXPECT_NE(after, before);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    LOGFONTA font{};
    ASSERT_TRUE(GetObjectA(after, sizeof font, &font));
    EXPECT_EQ(font.lfHeight, metrics.lfMenuFont.lfHeight);
    EXPECT_STREQ(font.lfFaceName, metrics.lfMenuFont.lfFaceName);
    EXPECT_NE(MenuItemRecordOf(FileMenu(), 0), nullptr) << "the items stay owner-drawn";
    SendMessageA(Window(), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    EXPECT_EQ(MenuFont(), after);
}

}  // namespace
