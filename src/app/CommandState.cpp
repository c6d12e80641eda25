#include <iterator>
#include <string>

#include "app/CommandTable.h"
#include "app/ExplorerDialog.h"
#include "app/Layout.h"
#include "app/ProcessObjects.h"
#include "framework/DisplayScale.h"
#include "resource.h"
#include "ui/MenuItems.h"

namespace {
constexpr int CommandPictureCount = 14;

// The menu items draw their own disabled look from the disabled state of their drawing request.
// Some window systems (Wine) report that state only for items that are also grayed; the two flags
// together mean the same everywhere.
constexpr UINT MenuItemDisabled = MF_BYCOMMAND | MF_DISABLED | MF_GRAYED;
constexpr UINT MenuItemEnabled = MF_BYCOMMAND | MF_ENABLED;
}  // namespace

// The File and Help items show their command pictures; separators stay as they are.
void ExplorerDialog::SetUpMenuImages() {
    HMENU bar = GetMenu(hwnd);
    HMENU file = GetSubMenu(bar, 0);
    for (const CommandInfo& info : FileMenuCommands)
        MakeOwnerDrawnItem(file, static_cast<UINT>(info.command), info.image);
    // Nothing has been removed yet.
    EnableMenuItem(bar, ID_FILE_UNDO_DELETE, MenuItemDisabled);
    HMENU help = GetSubMenu(bar, 1);
    for (const CommandInfo& info : HelpMenuCommands)
        MakeOwnerDrawnItem(help, static_cast<UINT>(info.command), info.image);
}

void ExplorerDialog::CreateToolBar() {
    toolBar.Create(WS_CHILD | WS_VISIBLE | CCS_TOP, hwnd, IDC_TOOLBAR);
    const CommandPictures pictures = CommandPicturesForScreen();
    // 16 x 15 is the toolbar's own size (setting it anyway makes Wine's buttons a pixel lower).
    if (pictures.width != 16 || pictures.height != 15) toolBar.SetBitmapSize(pictures.width, pictures.height);
    toolBar.AddBitmap(CommandPictureCount, pictures.bitmap);

    // The labels in one list, numbered in toolbar order.
    std::string labels;
    for (const CommandInfo& info : ToolBarCommands)
        if (info.toolLabel) labels.append(info.toolLabel).push_back('\0');
    labels.push_back('\0');
    toolBar.AddStrings(labels.c_str());

    TBBUTTON buttons[std::size(ToolBarCommands)] = {};
    int label = 0;
    for (std::size_t i = 0; i < std::size(ToolBarCommands); ++i) {
        const CommandInfo& info = ToolBarCommands[i];
        if (info.command == 0) {
            buttons[i].fsStyle = BTNS_SEP;
            continue;
        }
        buttons[i].iBitmap = info.image;
        buttons[i].idCommand = info.command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
        buttons[i].iString = label++;
    }
    toolBar.AddButtons(static_cast<int>(std::size(buttons)), buttons);
    toolBar.ModifyStyle(0, TBSTYLE_FLAT);
}

void ExplorerDialog::CreateStatusBar() {
    statusBar.Create(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, hwnd, IDC_STATUSBAR);
}

void ExplorerDialog::LayoutStatusBar() {
    RECT client;
    GetClientRect(hwnd, &client);
    int rightEdges[2] = {Scaled(StatusPartWidth), client.right};
    statusBar.SetParts(2, rightEdges);
    // The bar places itself along the bottom edge at its own height whenever it is moved.
    MoveWindow(statusBar.GetSafeHwnd(), 0, 0, 0, 0, TRUE);
}

void ExplorerDialog::EnableToolButton(int command) {
    int state = toolBar.GetState(command);
    if (state != -1 && (state & TBSTATE_INDETERMINATE)) toolBar.SetState(command, TBSTATE_ENABLED);
}

void ExplorerDialog::DisableToolButton(int command) {
    int state = toolBar.GetState(command);
    if (state != -1 && (state & TBSTATE_ENABLED)) toolBar.SetState(command, TBSTATE_INDETERMINATE);
}

void ExplorerDialog::UpdateCommandState() {
    int count = catalogueList.GetCount();
    int selected = catalogueList.GetCurSel();  // -1 counts as "not the last item"
    auto enabled = [&](EnabledWhen rule) {
        switch (rule) {
        case EnabledWhen::Always: return true;
        case EnabledWhen::CatalogueNotEmpty: return count > 0;
        case EnabledWhen::RemovedPathsNotEmpty: return !RemovedPathStack.IsEmpty();
        case EnabledWhen::NotFirstItem: return count > 0 && selected > 0;
        case EnabledWhen::NotLastItem: return count > 0 && selected != count - 1;
        }
        return true;
    };
    for (const CommandInfo& info : ToolBarCommands) {
        if (info.command == 0) continue;
        if (enabled(info.enabledWhen))
            EnableToolButton(info.command);
        else
            DisableToolButton(info.command);
    }
    HMENU menu = GetMenu(hwnd);
    for (const CommandInfo& info : FileMenuCommands)
        if (info.enabledWhen != EnabledWhen::Always)
            EnableMenuItem(menu, static_cast<UINT>(info.command),
                           enabled(info.enabledWhen) ? MenuItemEnabled : MenuItemDisabled);
}
