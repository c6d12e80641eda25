#include "app/ExplorerDialog.h"

void ExplorerDialog::OnCopy() {}
