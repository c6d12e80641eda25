#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

void ExplorerDialog::OnSaveAll() {}
