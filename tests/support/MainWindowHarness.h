// Test fixture for the main window: the real ExplorerDialog, created in the test process from
// the real resources, with helpers to act as a user and to read what a user sees.
//
// One main window per test process: the program's process-wide objects and values live once per
// process, so every test case of this fixture must run in a process of its own (CTest runs each
// discovered test case that way); a test of this fixture after a window in the same process fails
// at once, saying why. Tests that make no main window may share a process.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ExplorerDialog.h"
#include "catalogue/CatalogueList.h"
#include "support/DialogRobot.h"
#include "support/TempFolder.h"
#include "ui/MenuItems.h"

class MainWindowTest : public testing::Test {
protected:
    // Points TMP and TEMP at a fresh folder of the test's own, where the catalogue file lives,
    // and writes an empty catalogue there, so that start-up does not seed from the system.
    void SetUp() override;
    void TearDown() override;

    // Creates the main window as the program's start does and processes messages until idle.
    // Dialogs that start-up shows are answered by `robot`.
    ExplorerDialog& Start();

    // Dispatches the queued messages through the main window's pre-filter, as its loop does.
    void PumpMessages();
    // Runs the main window's own modal loop until it ends; fails the test when it has not
    // ended after `milliseconds`, closing the window by force.
    void RunModalLoopFor(DWORD milliseconds);

    // Acting as a user.
    void Command(int command);             // a menu or toolbar command
    void PressKey(HWND target, UINT key);  // key down and up, through the pre-filter

    HWND Window() const { return dialog ? dialog->GetSafeHwnd() : nullptr; }

    // The catalogue file of the test's temporary folder.
    std::string CatalogueFile() const { return temp.Path() + "glyphdocklib.dat"; }
    void WriteCatalogue(const std::string& bytes) const;
    void RemoveCatalogue() const;  // the next start seeds the catalogue from the system

    // What the catalogue list shows (see Shown), and the paths of its entries, in list order.
    std::vector<std::string> CatalogueNames() const;
    std::vector<std::string> CataloguePaths() const;
    // Operations of the window that no user action reaches directly.
    bool AddCatalogueFile(const std::string& path) { return dialog->AddCatalogueFile(path.c_str()); }
    const CatalogueEntry* EntryOf(int index) const;
    HFONT MenuFont() const { return dialog->menuFont; }  // the owner-drawn menu items' font
    CListBox Catalogue() const {
        CListBox list;
        list.Attach(dialog->CatalogueList());
        return list;
    }

    // Selects catalogue item `index` as a click does.
    void SelectCatalogueItem(int index);
    // Selects exactly the icons `indexes` of the icon view (none for an empty list), as clicks do.
    void SelectIcons(const std::vector<int>& indexes);

    TempFolder temp;
    std::unique_ptr<ExplorerDialog> dialog;
    DialogRobot robot;
};

// Reading what a user sees.
std::string WindowText(HWND window);
std::string StatusText(HWND statusBar, int part);
std::string ToolButtonLabel(HWND toolBar, int command);
int ToolButtonState(HWND toolBar, int command);
std::vector<std::string> ListBoxItems(HWND listBox);
std::vector<std::string> ListViewItems(HWND listView);
UINT MenuItemState(HWND window, int command);
// The record an owner-drawn menu item carries, as the window system hands it to the window when
// the item is measured and drawn; nullptr for other items.
const MenuItemRecord* MenuItemRecordOf(HMENU menu, int position);
// The text of an owner-drawn menu item, as its record holds it; "<no record>" for other items.
std::string MenuItemText(HMENU menu, int position);

// Runs with GLYPHDOCK_HIDE_EXTENSIONS set meet the shell as Windows sets it up by default: it
// hides file extensions. Names are then compared without them (CatalogueNames too), whether or
// not a given shell call hides them.
bool HidingExtensions();
std::string Shown(const std::string& fileName);
std::vector<std::string> ShownNames(std::vector<std::string> fileNames);

// Windows paths of the build's own files, as Wine sees them.
std::string HostPathToWindows(const std::string& unixPath);
