#include "app/ExplorerDialog.h"

#include <windowsx.h>

#include <cstdio>
#include <cstring>

#include "app/CommandTable.h"
#include "app/Layout.h"
#include "app/ProcessObjects.h"
#include "engine/EngineMessages.h"
#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "files/WideNames.h"
#include "framework/CWinApp.h"
#include "framework/DisplayScale.h"
#include "system/OwnedHandles.h"
#include "framework/ScopedValue.h"
#include "resource.h"
#include "ui/AboutDialog.h"

const char* appTitle = "";
HWND GroupNameList = nullptr;
int shownEntryIndex = NoIndex;
int describedIconIndex = NoIndex;

void ListGroupNames(const std::vector<std::string>& names) {
    CListBox list;
    list.Attach(GroupNameList);
    list.ResetContent();
    for (const std::string& name : names)
        list.AddString(name.c_str());
}

namespace {
constexpr const char* CatalogueFileName = "glyphdocklib.dat";
constexpr UINT_PTR AboutCommandCode = 0x0010;

// folder + name into output when it fits in a path buffer; false leaves output empty.
bool JoinPath(char* output, const char* folder, const char* name) {
    output[0] = 0;
    if (folder[0] == 0 || std::strlen(folder) + std::strlen(name) >= MAX_PATH) return false;
    std::snprintf(output, MAX_PATH, "%s%s", folder, name);
    return true;
}

// The temporary folder as the program can name it, or empty. A folder whose name the code page
// cannot hold (a user profile named in another script) is taken by its short name, which the
// file system makes of plain letters.
void TemporaryFolder(char (&folder)[MAX_PATH]) {
    folder[0] = 0;
    wchar_t wide[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, wide);
    if (length == 0 || length >= MAX_PATH) return;
    std::string name;
    if (!AnsiFromWide(wide, name)) {
        wchar_t shortName[MAX_PATH];
        length = GetShortPathNameW(wide, shortName, MAX_PATH);
        if (length == 0 || length >= MAX_PATH || !AnsiFromWide(shortName, name)) return;
    }
    if (name.size() >= MAX_PATH) return;
    std::memcpy(folder, name.c_str(), name.size() + 1);
    AppendBackslash(folder);
}
}  // namespace

ExplorerDialog::ExplorerDialog(HWND owner)
    : CDialog(IDD_MAIN, owner), mainIcon(LoadIconA(AppInstance(), MAKEINTRESOURCEA(IDI_MAIN))) {}

ExplorerDialog::~ExplorerDialog() {
    if (hwnd) DestroyWindow(hwnd);
}

// The routing of every message and command, one line each.
// clang-format off
LRESULT ExplorerDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return InitMainWindow();
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ID_FILE_NEW:          OnNewFile(); return 0;
        case ID_FILE_DELETE:       OnDeleteFile(); return 0;
        case ID_FILE_UNDO_DELETE:  OnUndoDelete(); return 0;
        case ID_FILE_COPY:         OnCopy(); return 0;
        case ID_FILE_SAVE_AS:      OnSaveAs(); return 0;
        case ID_FILE_SAVE_ALL:     OnSaveAll(); return 0;
        case ID_HELP_CONTENTS:     OnHelpContents(); return 0;
        case ID_HELP_ABOUT:        OnAbout(); return 0;
        case ID_FILE_EXIT:         OnExit(); return 0;
        case ID_PREVIOUS_FILE:     OnPreviousFile(); return 0;
        case ID_NEXT_FILE:         OnNextFile(); return 0;
        case ID_RELOAD_ICONS:      OnReloadIcons(); return 0;
        case IDOK:                 return 0;  // Enter never closes the window
        case IDCANCEL:             OnCloseRequest(); return 0;
        case IDC_CATALOGUE_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE) { OnCatalogueSelChange(); return 0; }
            break;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_ICON_VIEW && header->code == LVN_ITEMCHANGED)
            return OnIconItemChanged(reinterpret_cast<const NMLISTVIEW*>(lParam));
        if (header->idFrom == IDC_ICON_VIEW && header->code == NM_RCLICK)
            return OnIconViewRightClick();
        break;
    }
    case WM_MENUCHAR:
        return OnMenuChar(wParam, lParam);
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (wParam == 0) { MeasureMenuItem(measure); return TRUE; }
        if (wParam == IDC_CATALOGUE_LIST) { MeasureCatalogueItem(measure); return TRUE; }
        break;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (wParam == 0) { DrawMenuItem(draw); return TRUE; }
        if (wParam == IDC_CATALOGUE_LIST) { DrawCatalogueItem(draw); return TRUE; }
        break;
    }
    case WM_COMPAREITEM:
        if (wParam == IDC_CATALOGUE_LIST)
            return CompareCatalogueItems(reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam));
        break;
    case WM_DELETEITEM:  // the list's items own their entries
        if (wParam == IDC_CATALOGUE_LIST) {
            OnDeleteCatalogueItem(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SIZE:
        LayoutPanes(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        BeginSplitterDrag();
        return 0;
    case WM_MOUSEMOVE:
        TrackSplitter(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        EndSplitterDrag();
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(ControlBrush(reinterpret_cast<HDC>(wParam),
                                                      reinterpret_cast<HWND>(lParam),
                                                      ControlColourKind(message), message));
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) OnMenuFontChange();
        break;
    case WM_SYSCOMMAND:
        return OnSystemCommand(wParam, lParam);
    case WM_PAINT:
        return OnPaintMinimised();
    case WM_QUERYDRAGICON:
        return OnQueryDragIcon();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
// clang-format on

bool ExplorerDialog::PreTranslateMessage(MSG* message) {
    return FilterMessage(message);
}

bool ExplorerDialog::InitMainWindow() {
    CDialog::OnInitDialog();

    // Messages shown from here on carry the program's caption, and the first layout needs the
    // splitter.
    appTitle = ProgramCaption;
    lastAddFolder[0] = lastSaveAsFolder[0] = lastSaveAllFolder[0] = 0;

    CreateMenuFont();
    SetUpSplitter();

    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(mainIcon));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mainIcon));

    GroupNameList = GetDlgItem(IDC_GROUP_NAME_LIST);
    catalogueList.Attach(GetDlgItem(IDC_CATALOGUE_LIST));
    iconView.Attach(GetDlgItem(IDC_ICON_VIEW));

    const CommandPictures pictures = CommandPicturesForScreen();
    CBitmap commandPictures;  // the image list keeps its own copy
    commandPictures.LoadBitmap(AppInstance(), pictures.bitmap);
    toolImageList.Create(pictures.width, pictures.height, ILC_COLOR4 | ILC_MASK, 9, 1);
    toolImageList.Add(commandPictures, RGB(0xC0, 0xC0, 0xC0));

    CreateIconLists();

    SetUpFolders();

    SetUpMenuImages();
    CreateToolBar();
    CreateStatusBar();
    InitCommonControls();

    // The size change lays the window out for the first time.
    const int width = Scaled(WindowWidth), height = Scaled(WindowHeight);
    MoveWindow(hwnd, Scaled(100), Scaled(50), width, height, TRUE);
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    SetWindowPos(hwnd, nullptr, workArea.left + (workArea.right - workArea.left - width) / 2,
                 workArea.top + (workArea.bottom - workArea.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    {
        // The window is not shown yet: the count is shown once, when the catalogue is filled.
        const ScopedValue<bool> deferred(countDeferred, true);
        if (PathExists(catalogueFilePath))
            LoadCatalogue();
        else
            SeedCatalogue();
    }
    // The session may have ended while the files were looked at, and the window with it.
    if (!hwnd) return false;
    catalogueFilled = true;

    if (catalogueList.GetCount() > 0) {
        ShowCatalogueCount();
        catalogueList.SetCurSel(0);
        OnCatalogueSelChange();
    }
    UpdateCommandState();
    AddStartupFiles();
    return true;
}

// The start-up folder with its one trailing backslash, and the catalogue file in the temporary
// folder. When the temporary folder cannot be had, or the file's path would not fit in a path
// buffer, the catalogue lives in the start-up folder; when that does not fit either, the path
// stays empty and the catalogue is neither read nor written.
void ExplorerDialog::SetUpFolders() {
    DWORD length = GetCurrentDirectoryA(MAX_PATH, startupFolder);
    // Without a current directory the folder stays empty, never the root "\" of some drive.
    if (length == 0 || length >= MAX_PATH)
        startupFolder[0] = 0;
    else
        AppendBackslash(startupFolder);

    char tempFolder[MAX_PATH];
    TemporaryFolder(tempFolder);

    if (!JoinPath(catalogueFilePath, tempFolder, CatalogueFileName))
        JoinPath(catalogueFilePath, startupFolder, CatalogueFileName);
}

void ExplorerDialog::OnCloseRequest() {
    SaveCatalogue();
    if (!DestroyWindow(hwnd)) EndDialog(IDCANCEL);
}

// The session ends, or the Restart Manager waits for the program to end itself before it
// updates or restarts: the program ends as a user's close ends it. No message may hold the end
// up: a save that fails keeps the previous catalogue file, as every failed save does. A
// catalogue still being filled at start-up is not saved: its file is as it was.
void ExplorerDialog::OnEndSession(bool ending) {
    if (!ending) return;
    if (catalogueFilled) SaveCatalogue(false);
    if (!DestroyWindow(hwnd)) EndDialog(IDCANCEL);
}

void ExplorerDialog::OnExit() {
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
}

void ExplorerDialog::OnAbout() {
    SendMessageA(hwnd, WM_SYSCOMMAND, AboutCommandCode, 0);
}

LRESULT ExplorerDialog::OnSystemCommand(WPARAM code, LPARAM position) {
    if ((code & 0xFFF0) == AboutCommandCode) {
        AboutDialog about(hwnd);
        about.DoModal();
        return 0;
    }
    return DefaultProc(WM_SYSCOMMAND, code, position);
}

LRESULT ExplorerDialog::OnPaintMinimised() {
    if (!IsIconic(hwnd)) return DefaultProc(WM_PAINT, 0, 0);
    const PaintDC dc(hwnd);
    SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT client;
    GetClientRect(hwnd, &client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, mainIcon);
    return 0;
}

LRESULT ExplorerDialog::OnQueryDragIcon() {
    return reinterpret_cast<LRESULT>(mainIcon);
}
