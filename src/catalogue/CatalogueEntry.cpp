#include "app/ExplorerDialog.h"
#include "app/ProcessObjects.h"

int shownEntryIndex = NoIndex;

bool ExplorerDialog::AddCatalogueFile(const char*) { return false; }

void ExplorerDialog::OnCatalogueSelChange() {}

void ExplorerDialog::OnNextFile() {}

void ExplorerDialog::OnPreviousFile() {}
