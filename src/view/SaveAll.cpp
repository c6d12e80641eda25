#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

char lastSaveAllFolder[MAX_PATH] = {};

void ExplorerDialog::OnSaveAll() {}
