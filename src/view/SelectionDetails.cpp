#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

LRESULT ExplorerDialog::OnIconItemChanged(const NMLISTVIEW*) {
    return 0;
}
