// The main window: the catalogue of source files on the left, the icons of the selected file
// on the right, with a menu, a toolbar and a status bar. Its operations are defined in the
// folder of the subsystem that owns them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "catalogue/CatalogueList.h"
#include "framework/CDialog.h"
#include "framework/CommonControls.h"
#include "framework/GdiObjects.h"
#include "framework/ListControls.h"

struct CatalogueEntry;
struct CatalogueFileLook;
struct FolderWalk;

// The main window's process-wide values (one main window at a time), each defined in the file
// of the code that owns it: the caption of the program's message boxes, the hidden list box
// 1013 (scratch list of icon-group names), the catalogue item whose icons the view shows and the
// icon whose formats the status bar describes (NoIndex for none), the folders the commands
// last used, and the files named on the command line, added at start-up (as the system gives
// names, in UTF-16, so that a name the code page cannot hold is told apart).
extern const char* appTitle;
extern HWND GroupNameList;
// Puts names in GroupNameList in their order, in place of what it held; none clears it.
void ListGroupNames(const std::vector<std::string>& names);
constexpr int NoIndex = 10000;
extern int shownEntryIndex;
extern int describedIconIndex;
extern char lastAddFolder[MAX_PATH];
extern char lastSaveAsFolder[MAX_PATH];
extern char lastSaveAllFolder[MAX_PATH];
extern std::vector<std::wstring> commandLineFiles;
// The names on a command line, without the program's own name first.
std::vector<std::wstring> NamesOnCommandLine(const wchar_t* commandLine);

class ExplorerDialog : public CDialog {
public:
    explicit ExplorerDialog(HWND owner = nullptr);
    // Destroys a window still open while this object's handlers can still free the entries.
    ~ExplorerDialog() override;

    bool PreTranslateMessage(MSG* message) override;

    // Read access for the harness and for tests of what the user sees.
    const char* StartupFolder() const { return startupFolder; }
    const char* CatalogueFilePath() const { return catalogueFilePath; }
    HWND ToolBar() const { return toolBar.GetSafeHwnd(); }
    HWND StatusBar() const { return statusBar.GetSafeHwnd(); }
    HWND CatalogueList() const { return catalogueList.GetSafeHwnd(); }
    HWND IconView() const { return iconView.GetSafeHwnd(); }
    HICON MainIcon() const { return mainIcon; }

protected:
    friend class MainWindowTest;  // the test harness calls single operations as well
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Start-up and lifecycle (src/app/ExplorerDialog.cpp)
    bool InitMainWindow();
    void SetUpFolders();
    void OnCloseRequest();
    void OnEndSession(bool ending);
    void OnExit();
    void OnAbout();
    LRESULT OnSystemCommand(WPARAM code, LPARAM position);
    LRESULT OnPaintMinimised();
    LRESULT OnQueryDragIcon();

    // Layout and splitter (src/app/Layout.cpp)
    void SetUpSplitter();
    void LayoutPanes(UINT sizeType, int clientWidth, int clientHeight);
    void BeginSplitterDrag();
    void TrackSplitter(WPARAM buttonFlags, int x, int y);
    void EndSplitterDrag();
    void OnCaptureChanged(HWND gaining);
    HBRUSH ControlBrush(HDC dc, HWND control, UINT kind, UINT message);

    // Toolbar, status bar and command state (src/app/CommandState.cpp)
    void SetUpMenuImages();
    void CreateToolBar();
    void CreateStatusBar();
    void LayoutStatusBar();
    void EnableToolButton(int command);
    void DisableToolButton(int command);
    void UpdateCommandState();

    // Keyboard and context menus (src/app/Keyboard.cpp)
    bool FilterMessage(MSG* message);
    LRESULT OnIconViewRightClick();
    bool TypeAheadSearch(UINT key);
    void ShowContextMenu();

    // Catalogue (src/catalogue/)
    // A folder's walk skips the files without icons silently (src/catalogue/AddFolder.cpp).
    bool AddCatalogueFile(const char* path, bool reportNoIcons = true);
    bool AddCatalogueFile(const char* path, const CatalogueFileLook& look, bool reportNoIcons);
    void AddFolderFiles(const char* folder, FolderWalk& walk);
    void ShowCatalogueCount();
    void ShowIconCount();
    void OnCatalogueSelChange();
    void OnNextFile();
    void OnPreviousFile();
    void OnDeleteFile();
    void OnUndoDelete();
    void OnReloadIcons();
    void RemoveSelectedEntry(bool keepEntry);
    void SeedCatalogue();
    void LoadCatalogue();
    void SaveCatalogue(bool tellFailure = true);
    void MeasureCatalogueItem(MEASUREITEMSTRUCT* measure);
    void DrawCatalogueItem(const DRAWITEMSTRUCT* draw);
    void MakeSmallImage(CatalogueEntry& entry);
    int CompareCatalogueItems(const COMPAREITEMSTRUCT* compare);
    void OnDeleteCatalogueItem(const DELETEITEMSTRUCT* deleted);
    void OnNewFile();
    void ShowCatalogueFile(const char* path);
    void OnDropFiles(HDROP drop);
    void AddStartupFiles();
    void AddHandedFiles(const std::vector<std::wstring>& files);

    // Icon view and export commands (src/view/)
    void CreateIconLists();
    void LoadEntryIcons(CatalogueEntry& entry);
    void FillIconView(const CatalogueEntry& entry);
    void ResetIconCache();
    void OnSaveAs();
    void OnSaveAll();
    void OnCopy();
    LRESULT OnIconItemChanged(const NMLISTVIEW* change);

    // Menus with images and Help (src/ui/)
    void CreateMenuFont();
    void OnMenuFontChange();
    LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    void MeasureMenuItem(MEASUREITEMSTRUCT* measure);
    void DrawMenuItem(const DRAWITEMSTRUCT* draw);
    void DrawTextMenuItem(const DRAWITEMSTRUCT* draw);
    void DrawMenuItemText(HDC dc, const RECT& item, UINT state);
    void OnHelpContents();

    // The font of the owner-drawn menu items: the system's menu font (src/ui/MenuItems.cpp).
    CFont menuFont;
    // Drawing state shared by the owner-drawn menu items and the catalogue items, refilled by
    // every drawing call.
    CBrush drawBrush;
    CPen drawPen;
    CPen drawEdgePen;
    COLORREF textColour = 0;
    COLORREF backgroundColour = 0;
    COLORREF lightEdgeColour = 0;
    COLORREF darkEdgeColour = 0;
    TEXTMETRICA textMetrics{};
    char itemText[256] = {};
    RECT focusRect{};

    CToolBarCtrl toolBar;
    CStatusBarCtrl statusBar;
    CListBox catalogueList;
    CListCtrl iconView;
    HCURSOR splitterCursor = nullptr;
    char startupFolder[MAX_PATH] = {};
    char catalogueFilePath[MAX_PATH] = {};
    bool catalogueFilled = false;  // once start-up has loaded or seeded it
    // Catalogue file lines whose drive or share did not answer at start-up: not shown, written
    // back by the save after the shown lines.
    std::vector<std::string> unreachableLines;
    // While the catalogue is filled at start-up or by a folder's walk, the count is shown by the
    // filling, not by every add.
    bool countDeferred = false;
    CataloguePathSet cataloguePathSet;  // the entries' paths, for the duplicate check
    HWND splitterBar = nullptr;
    HICON mainIcon = nullptr;
};
