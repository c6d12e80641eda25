#include "app/ExplorerDialog.h"

bool ExplorerDialog::FilterMessage(MSG* message) {
    return CDialog::PreTranslateMessage(message);
}

LRESULT ExplorerDialog::OnIconViewRightClick() {
    return 0;
}
