#include <string>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueList.h"
#include "engine/IconSource.h"
#include "view/IconView.h"

// Runs for every item state change of the icon view: the deselection of one icon shows the
// count, the selection of the next describes it; changes that keep the same single icon
// selected (a focus change) do not open the file again.
LRESULT ExplorerDialog::OnIconItemChanged(const NMLISTVIEW*) {
    if (iconView.GetSelectedCount() != 1) {
        ShowIconCount();
        describedIconIndex = NoIndex;
        return 0;
    }
    if (iconView.GetItemCount() == 0) return 0;

    const int selected = SelectedIconIndex(iconView);
    if (selected == describedIconIndex) return 0;
    const CatalogueEntry* entry = EntryAt(catalogueList, catalogueList.GetCurSel());
    if (!entry) return 0;
    describedIconIndex = selected;

    std::string summary;
    DescribeIconGroup(entry->path, selected, summary, ListGroupNames);
    statusBar.SetText(summary.c_str(), 1, 0);
    return 0;
}
