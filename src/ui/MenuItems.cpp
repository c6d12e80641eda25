#include "ui/MenuItems.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "files/TextFunctions.h"
#include "framework/DisplayScale.h"
#include "system/OwnedHandles.h"

namespace {

// What drawing an item selects into the menu's DC, and puts back when the item is drawn: the
// menu font, the band's brush, and the DC's text and background colours.
class ItemPaint {
public:
    ItemPaint(HDC dc_, HGDIOBJ font_, HGDIOBJ brush_)
        : dc(dc_), font(dc_, font_), brush(dc_, brush_), text(GetTextColor(dc_)), background(GetBkColor(dc_)) {}
    ~ItemPaint() {
        SetTextColor(dc, text);
        SetBkColor(dc, background);
    }
    ItemPaint(const ItemPaint&) = delete;
    ItemPaint& operator=(const ItemPaint&) = delete;

private:
    HDC dc;
    ScopedSelection font, brush;
    COLORREF text, background;
};
// The records of every converted item, kept until the process ends (the menus refer to them).
std::deque<MenuItemRecord> MenuItemRecords;

constexpr int MeasureTextSize = 80;  // menu texts have at most 79 characters
// Lengths at 96 DPI: an item 19 pixels high (more for a taller menu font), 15 wider than its
// text; the part after a tab starts 45 pixels left of the right edge.
constexpr int ItemHeight = 19;
constexpr int FontMargin = 5;  // above and below the text together
constexpr int ExtraWidth = 15;
constexpr int ImageLeft = 2;
constexpr int TextInBand = 2;
constexpr int ShortcutFromRight = 45;

// Where the parts of an item lie, from the size of the command pictures (16 x 15 at 96 DPI):
// the picture at the item's left + 2, top + 2; its box one pixel beyond it (L..L + 19 by
// T..T + 18 at 96 DPI); the highlight band right of the box, and the text 2 pixels into it.
struct ItemGeometry {
    int imageLeft, pictureWidth, pictureHeight, boxRight, boxBottom, bandLeft, textLeft;
};

ItemGeometry Geometry() {
    int width = 16, height = 15;
    if (!ImageList_GetIconSize(toolImageList, &width, &height)) width = 16, height = 15;
    ItemGeometry g{};
    g.imageLeft = Scaled(ImageLeft);
    g.pictureWidth = width;
    g.pictureHeight = height;
    g.boxRight = g.imageLeft + width + 1;
    g.boxBottom = g.imageLeft + height + 1;
    g.bandLeft = g.boxRight + 1;
    g.textLeft = g.bandLeft + Scaled(TextInBand);
    return g;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);  // up to, not including, the second point
}

// The image box's four edges: top and left first, then right and bottom.
void TopLeftEdges(HDC dc, const RECT& r, const ItemGeometry& g) {
    Line(dc, r.left, r.top, r.left + g.boxRight, r.top);
    Line(dc, r.left, r.top, r.left, r.top + g.boxBottom);
}
void BottomRightEdges(HDC dc, const RECT& r, const ItemGeometry& g) {
    Line(dc, r.left + g.boxRight, r.top, r.left + g.boxRight, r.top + g.boxBottom);
    Line(dc, r.left, r.top + g.boxBottom, r.left + g.boxRight + 1, r.top + g.boxBottom);
}

struct MenuLetter {
    int itemCount;
    char letter;
    int position;
};
// The mnemonic letters of the File menu (9 items with its separators) and the Help menu (2).
// The menu bar, with its two items, answers by the Help menu's letters.
// clang-format off
constexpr MenuLetter MenuLetters[] = {
    {9, 'N', 0}, {9, 'D', 1}, {9, 'U', 2}, {9, 'C', 4}, {9, 'A', 5}, {9, 'L', 6}, {9, 'X', 8},
    {2, 'C', 0}, {2, 'A', 1},
};
// clang-format on

// True for the item at `position` of `menu` that was made owner-drawn.
bool IsOwnerDrawn(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}
}  // namespace

// The font Windows itself draws menus in (9-point Segoe UI on Windows 10 and 11), so that the
// owner-drawn items are measured and drawn in the font of the rest of the menu.
void ExplorerDialog::CreateMenuFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
        menuFont.CreateFontIndirect(metrics.lfMenuFont))
        return;
    LOGFONTA guiFont{};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont)) menuFont.CreateFontIndirect(guiFont);
}

// The system's menu font changed (its size or face): the items are drawn in the new font and,
// told to be measured again, get the height it needs.
void ExplorerDialog::OnMenuFontChange() {
    CreateMenuFont();
    HMENU bar = GetMenu(hwnd);
    for (int popup = 0; popup < GetMenuItemCount(bar); ++popup) {
        HMENU menu = GetSubMenu(bar, popup);
        for (int position = 0; position < GetMenuItemCount(menu); ++position) {
            if (!IsOwnerDrawn(menu, position)) continue;
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_OWNERDRAW;
            SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        }
    }
    DrawMenuBar(hwnd);
}

bool MakeOwnerDrawnItem(HMENU menu, UINT command, int imageIndex) {
    MenuItemRecord record;
    if (GetMenuStringA(menu, command, record.text, sizeof record.text, MF_BYCOMMAND) <= 0) return false;
    record.imageIndex = imageIndex;
    MenuItemRecord& kept = MenuItemRecords.emplace_back(record);

    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_DATA;
    info.fType = MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&kept);
    if (!SetMenuItemInfoA(menu, command, FALSE, &info)) {
        MenuItemRecords.pop_back();
        return false;
    }
    return true;
}

// Mnemonic letters: the items no longer carry their texts, so the window system cannot match
// them itself. The menu is recognised by its item count.
LRESULT ExplorerDialog::OnMenuChar(WPARAM wParam, LPARAM lParam) {
    auto character = static_cast<unsigned char>(LOWORD(wParam));
    int count = GetMenuItemCount(reinterpret_cast<HMENU>(lParam));
    char letter = static_cast<char>(std::toupper(character));
    for (const MenuLetter& entry : MenuLetters)
        if (entry.itemCount == count && entry.letter == letter) return MAKELRESULT(entry.position, MNC_EXECUTE);
    return MNC_IGNORE;
}

void ExplorerDialog::MeasureMenuItem(MEASUREITEMSTRUCT* measure) {
    const auto* record = reinterpret_cast<const MenuItemRecord*>(measure->itemData);
    char text[MeasureTextSize] = {};
    if (record) lstrcpynA(text, record->text, sizeof text);
    TrimBlanks(text);

    SIZE size{};
    TEXTMETRICA metrics{};
    {
        const WindowDC dc(hwnd);
        ScopedSelection font(dc, menuFont);
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        GetTextMetricsA(dc, &metrics);
    }

    const ItemGeometry g = Geometry();
    const int height =
        std::max({Scaled(ItemHeight), g.boxBottom + 1, static_cast<int>(metrics.tmHeight) + Scaled(FontMargin)});
    measure->itemWidth = static_cast<UINT>(size.cx + Scaled(ExtraWidth));
    measure->itemHeight = static_cast<UINT>(height);
}

// The item's text at the item's left + 22, vertically centred; the part after a tab, if any,
// at the right edge - 45. A disabled item is embossed, unless highlighted: then it is drawn
// plain in the inactive caption's text colour.
void ExplorerDialog::DrawMenuItemText(HDC dc, const RECT& item, UINT state) {
    bool selected = state & ODS_SELECTED;
    bool disabled = state & ODS_DISABLED;
    SetTextColor(dc, textColour);
    SetBkColor(dc, backgroundColour);
    GetTextMetricsA(dc, &textMetrics);
    int y = (item.top + item.bottom - static_cast<int>(textMetrics.tmHeight)) / 2;

    UINT flags = DST_PREFIXTEXT;
    // Windows shows the underlines only once the keyboard has been used for the menu.
    if (state & ODS_NOACCEL) flags |= DSS_HIDEPREFIX;
    if (disabled && !selected) flags |= DSS_DISABLED;
    if (disabled && selected) SetTextColor(dc, GetSysColor(COLOR_INACTIVECAPTIONTEXT));

    auto drawPart = [&](const char* part, int length, int x) {
        DrawStateA(dc, drawBrush, nullptr, reinterpret_cast<LPARAM>(part), static_cast<WPARAM>(length), x, y,
                   item.right, std::max(Scaled(ItemHeight), static_cast<int>(item.bottom - item.top)), flags);
    };
    const int textLeft = item.left + Geometry().textLeft;
    const char* tab = std::strchr(itemText, '\t');
    if (tab) {
        drawPart(itemText, static_cast<int>(tab - itemText), textLeft);
        drawPart(tab + 1, lstrlenA(tab + 1), item.right - Scaled(ShortcutFromRight));
    } else {
        drawPart(itemText, lstrlenA(itemText), textLeft);
    }
}

// An item with a picture, drawn like a toolbar button: flat when idle, a raised frame around
// the picture when highlighted, the picture greyed when disabled. The picture's column is
// never painted with the highlight.
void ExplorerDialog::DrawMenuItem(const DRAWITEMSTRUCT* draw) {
    const auto* record = reinterpret_cast<const MenuItemRecord*>(draw->itemData);
    if (!record) return;
    if (record->imageIndex > MenuImageLimit) {
        DrawTextMenuItem(draw);
        return;
    }
    if (!(draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;

    const RECT& item = draw->rcItem;
    HDC dc = draw->hDC;
    bool selected = draw->itemState & ODS_SELECTED;
    bool disabled = draw->itemState & ODS_DISABLED;
    textColour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    backgroundColour = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    lightEdgeColour = GetSysColor(COLOR_BTNHIGHLIGHT);
    darkEdgeColour = GetSysColor(COLOR_BTNSHADOW);

    lstrcpynA(itemText, record->text, sizeof itemText);
    drawBrush.CreateSolidBrush(backgroundColour);
    const ItemPaint paint(dc, menuFont, drawBrush);

    const ItemGeometry g = Geometry();
    int x = item.left + g.imageLeft;
    int y = item.top + g.imageLeft;
    if (disabled) {
        const UniqueIcon icon(toolImageList.ExtractIcon(record->imageIndex));
        CBrush menuBrush;
        menuBrush.CreateSolidBrush(GetSysColor(COLOR_MENU));
        if (icon)
            DrawStateA(dc, menuBrush, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, g.pictureWidth, g.pictureHeight,
                       DST_ICON | DSS_DISABLED);
    } else {
        toolImageList.Draw(dc, record->imageIndex, x, y, ILD_NORMAL);
    }

    int bandWidth = item.right - item.left - g.bandLeft;
    int height = item.bottom - item.top;
    if (draw->itemAction & ODA_SELECT) PatBlt(dc, item.left + g.bandLeft, item.top, bandWidth, height, PATCOPY);
    if (!selected && !disabled) {
        // The outline in the menu colour removes a raised frame drawn before.
        drawPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_MENU));
        ScopedSelection pen(dc, drawPen);
        TopLeftEdges(dc, item, g);
        BottomRightEdges(dc, item, g);
    }
    if (selected) {
        PatBlt(dc, item.left + g.bandLeft, item.top, bandWidth, height, PATCOPY);
        if (!disabled) {
            drawPen.CreatePen(PS_SOLID, 1, lightEdgeColour);
            drawEdgePen.CreatePen(PS_SOLID, 1, darkEdgeColour);
            {
                ScopedSelection pen(dc, drawPen);
                TopLeftEdges(dc, item, g);
            }
            ScopedSelection pen(dc, drawEdgePen);
            BottomRightEdges(dc, item, g);
        }
    }

    DrawMenuItemText(dc, item, draw->itemState);
}

// An item without a picture (Exit, Help Contents): its band covers the whole item.
void ExplorerDialog::DrawTextMenuItem(const DRAWITEMSTRUCT* draw) {
    const auto* record = reinterpret_cast<const MenuItemRecord*>(draw->itemData);
    if (!(draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;

    const RECT& item = draw->rcItem;
    HDC dc = draw->hDC;
    bool selected = draw->itemState & ODS_SELECTED;
    textColour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    backgroundColour = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);

    lstrcpynA(itemText, record->text, sizeof itemText);
    drawBrush.CreateSolidBrush(backgroundColour);
    const ItemPaint paint(dc, menuFont, drawBrush);

    int width = item.right - item.left;
    int height = item.bottom - item.top;
    if (draw->itemAction & ODA_SELECT) PatBlt(dc, item.left, item.top, width, height, PATCOPY);
    if (selected) PatBlt(dc, item.left, item.top, width, height, PATCOPY);

    DrawMenuItemText(dc, item, draw->itemState);
}
