#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueList.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "framework/CFileDialog.h"

char lastAddFolder[MAX_PATH] = {};

namespace {
constexpr const char* AddNewFileFilter = "*.EXE, *.DLL, *.ICL|*.exe;*.dll;*.icl|All Files (*.*)|*.*||";
}  // namespace

void ExplorerDialog::OnNewFile() {
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER, AddNewFileFilter,
                       hwnd);
    dialog.ofn.lpstrTitle = "Add New File";
    dialog.SetInitialFolder(PathExists(lastAddFolder) ? lastAddFolder : startupFolder);
    if (dialog.DoModal(appTitle) != IDOK) return;

    char path[PathBufferSize];
    lstrcpynA(path, dialog.GetPathName(), PathBufferSize);
    // Remembered before the file is checked, so that the next dialog opens here even when the
    // file is refused.
    DirectoryPart(lastAddFolder, path);
    if (!AddCatalogueFile(path)) return;
    ShowCatalogueFile(path);
}

// Selects the entry of `path` and rebuilds the view, even when that entry is the one shown.
void ExplorerDialog::ShowCatalogueFile(const char* path) {
    int index = FindEntryByPath(catalogueList, path);
    if (index < 0) return;
    catalogueList.SetCurSel(index);
    shownEntryIndex = NoIndex;
    OnCatalogueSelChange();
}
