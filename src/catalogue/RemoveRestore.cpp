#include "app/ExplorerDialog.h"

void ExplorerDialog::OnDeleteFile() {}

void ExplorerDialog::OnUndoDelete() {}

void ExplorerDialog::OnReloadIcons() {
    RemoveSelectedEntry(true);
}

void ExplorerDialog::RemoveSelectedEntry(bool) {}
