#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

char lastAddFolder[MAX_PATH] = {};

void ExplorerDialog::OnNewFile() {}
