#include "app/ExplorerDialog.h"

LRESULT ExplorerDialog::OnMenuChar(WPARAM wParam, LPARAM lParam) {
    return DefaultProc(WM_MENUCHAR, wParam, lParam);
}

void ExplorerDialog::MeasureMenuItem(MEASUREITEMSTRUCT*) {}

void ExplorerDialog::DrawMenuItem(const DRAWITEMSTRUCT*) {}
