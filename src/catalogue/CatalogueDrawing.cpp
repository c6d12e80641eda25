#include <algorithm>

#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueEntry.h"
#include "framework/DisplayScale.h"
#include "system/OwnedHandles.h"
#include "pictures/IconPictures.h"

namespace {
// Lengths at 96 DPI: a line of 16 pixels, the small icon at its left + 2, then the selection
// band and focus rectangle right of the icon, and the text 2 pixels into the band.
constexpr int CatalogueItemHeight = 16;
constexpr int IconLeft = 2;
constexpr int TextInBand = 2;

int BandLeft() {
    return Scaled(IconLeft) + SmallIconSide();
}
}  // namespace

// A line holds its small icon, and never cuts the text of the window's font.
void ExplorerDialog::MeasureCatalogueItem(MEASUREITEMSTRUCT* measure) {
    int height = std::max(Scaled(CatalogueItemHeight), SmallIconSide());
    if (auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0))) {
        const ScreenDC screen;
        ScopedSelection selected(screen, font);
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(screen, &metrics)) height = std::max(height, static_cast<int>(metrics.tmHeight));
    }
    measure->itemHeight = static_cast<UINT>(height);
}

// Each item is its small icon followed by its name; only the band right of the icon shows the
// selection. Colours are read at every paint, so a change of the system colours shows at once.
void ExplorerDialog::DrawCatalogueItem(const DRAWITEMSTRUCT* draw) {
    if (draw->itemID == static_cast<UINT>(-1)) return;
    auto* entry = reinterpret_cast<CatalogueEntry*>(draw->itemData);
    const RECT& item = draw->rcItem;
    HDC dc = draw->hDC;

    if (draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        bool selected = draw->itemState & ODS_SELECTED;
        textColour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        backgroundColour = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        drawBrush.CreateSolidBrush(backgroundColour);
        ScopedSelection brush(dc, drawBrush);
        COLORREF previousText = SetTextColor(dc, textColour);
        COLORREF previousBackground = SetBkColor(dc, backgroundColour);

        const int bandLeft = BandLeft();
        bool lostSelection = draw->itemState == 0 && (draw->itemAction & ODA_SELECT);
        if (lostSelection || selected)
            PatBlt(dc, item.left + bandLeft, item.top, item.right - item.left - bandLeft, item.bottom - item.top,
                   PATCOPY);
        if (entry) {
            if (entry->smallImage < 0) MakeSmallImage(*entry);
            // A line taller than the icon (for a tall font) centres it.
            const int iconTop = item.top + std::max(0, (static_cast<int>(item.bottom - item.top) - SmallIconSide()) / 2);
            smallIconList.Draw(dc, entry->smallImage, item.left + Scaled(IconLeft), iconTop, ILD_NORMAL);
            lstrcpynA(itemText, entry->name, sizeof itemText);
            GetTextMetricsA(dc, &textMetrics);
            int y = (item.top + item.bottom - static_cast<int>(textMetrics.tmHeight)) / 2;
            TextOutA(dc, item.left + bandLeft + Scaled(TextInBand), y, itemText, lstrlenA(itemText));
        }
        SetTextColor(dc, previousText);
        SetBkColor(dc, previousBackground);
    }
    if ((draw->itemAction & ODA_FOCUS) && (draw->itemState & ODS_SELECTED)) {
        focusRect = item;
        focusRect.left += BandLeft();
        DrawFocusRect(dc, &focusRect);
    }
}

int ExplorerDialog::CompareCatalogueItems(const COMPAREITEMSTRUCT* compare) {
    char first[PathBufferSize] = {};
    char second[PathBufferSize] = {};
    catalogueList.GetText(static_cast<int>(compare->itemID1), first, sizeof first);
    catalogueList.GetText(static_cast<int>(compare->itemID2), second, sizeof second);
    int order = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first, -1, second, -1);
    if (order == CSTR_LESS_THAN) return -1;
    if (order == CSTR_GREATER_THAN) return 1;
    return 0;
}
