#include "app/ExplorerDialog.h"

void ExplorerDialog::LoadCatalogue() {}

void ExplorerDialog::SaveCatalogue() {}
