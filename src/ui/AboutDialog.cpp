#include "ui/AboutDialog.h"

#include "app/ExplorerDialog.h"
#include "resource.h"

AboutDialog::AboutDialog(HWND owner) : CDialog(IDD_ABOUT, owner) {}

void ExplorerDialog::OnHelpContents() {}
