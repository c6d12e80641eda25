#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"
#include "catalogue/CatalogueEntry.h"

namespace {
constexpr UINT CatalogueItemHeight = 16;
constexpr int IconLeft = 2;   // the small icon, left of the selection band
constexpr int BandLeft = 18;  // selection band and focus rectangle
constexpr int TextLeft = 20;
}  // namespace

void ExplorerDialog::MeasureCatalogueItem(MEASUREITEMSTRUCT* measure) {
    measure->itemHeight = CatalogueItemHeight;
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

        bool lostSelection = draw->itemState == 0 && (draw->itemAction & ODA_SELECT);
        if (lostSelection || selected)
            PatBlt(dc, item.left + BandLeft, item.top, item.right - item.left - BandLeft, item.bottom - item.top,
                   PATCOPY);
        if (entry) {
            if (entry->smallImage < 0) MakeSmallImage(*entry);
            smallIconList.Draw(dc, entry->smallImage, item.left + IconLeft, item.top, ILD_NORMAL);
            lstrcpynA(itemText, entry->name, sizeof itemText);
            GetTextMetricsA(dc, &textMetrics);
            int y = (item.top + item.bottom - static_cast<int>(textMetrics.tmHeight)) / 2;
            TextOutA(dc, item.left + TextLeft, y, itemText, lstrlenA(itemText));
        }
        SetTextColor(dc, previousText);
        SetBkColor(dc, previousBackground);
    }
    if ((draw->itemAction & ODA_FOCUS) && (draw->itemState & ODS_SELECTED)) {
        focusRect = item;
        focusRect.left += BandLeft;
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
