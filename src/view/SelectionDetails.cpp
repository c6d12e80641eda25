#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

int describedIconIndex = NoIndex;

LRESULT ExplorerDialog::OnIconItemChanged(const NMLISTVIEW*) {
    return 0;
}
