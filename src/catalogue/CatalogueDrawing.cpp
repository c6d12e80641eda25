#include "app/ExplorerDialog.h"

namespace {
constexpr UINT CatalogueItemHeight = 16;
}

void ExplorerDialog::MeasureCatalogueItem(MEASUREITEMSTRUCT* measure) {
    measure->itemHeight = CatalogueItemHeight;
}

void ExplorerDialog::DrawCatalogueItem(const DRAWITEMSTRUCT*) {}

int ExplorerDialog::CompareCatalogueItems(const COMPAREITEMSTRUCT*) { return 0; }
