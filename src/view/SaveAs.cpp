#include <windows.h>
#include <commdlg.h>

#include <string>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueList.h"
#include "engine/IconSource.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "framework/CFileDialog.h"
#include "view/IconView.h"

char lastSaveAsFolder[MAX_PATH] = {};

namespace {
constexpr const char* IconNotRead = "The icon could not be read. Nothing was saved.";
}  // namespace

void ExplorerDialog::OnSaveAs() {
    if (iconView.GetItemCount() == 0) return;
    const CatalogueEntry* entry = EntryAt(catalogueList, catalogueList.GetCurSel());
    if (!entry) return;
    const std::string source = entry->path;

    const int selected = SelectedIconIndex(iconView);
    const std::string proposed = GroupFileName("", SourceDisplayName(source.c_str()), selected);
    const char* initialFolder = PathExists(lastSaveAsFolder) ? lastSaveAsFolder : startupFolder;

    CFileDialog dialog(false, nullptr, proposed.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER,
                       "Icon (*.ico)|*.ico||", hwnd);
    dialog.SetInitialFolder(initialFolder);
    if (dialog.DoModal(appTitle) != IDOK) return;

    // The name is used exactly as chosen: no extension is added. The folder is remembered even
    // when the export then fails.
    const std::string output = dialog.GetPathName();
    DirectoryPart(lastSaveAsFolder, output.c_str());
    if (ExportIconGroup(source.c_str(), selected, output.c_str(), ListGroupNames) == GroupExport::Unread)
        MessageBoxA(hwnd, IconNotRead, appTitle, MB_OK | MB_ICONINFORMATION);
}
