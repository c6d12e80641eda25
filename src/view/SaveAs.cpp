#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

char lastSaveAsFolder[MAX_PATH] = {};

void ExplorerDialog::OnSaveAs() {}
