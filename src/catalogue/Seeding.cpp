#include "app/ExplorerDialog.h"

void ExplorerDialog::SeedCatalogue() {}
