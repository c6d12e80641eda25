#include "ui/FolderChooser.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>

#include "files/PathUtilities.h"
#include "files/TextFunctions.h"
#include "framework/CDialog.h"
#include "framework/CWinApp.h"
#include "framework/DisplayScale.h"

namespace {
// The chooser's working state while it is open; only one chooser can be open at a time.
// The handles and the initial folder are cleared when ChooseFolder returns.
HWND chooserEdit = nullptr;
HWND chooserTree = nullptr;  // the browser's tree, null when none was found
WNDPROC chooserPreviousProc = nullptr;
char chooserInitialFolder[MAX_PATH] = {};
char chooserResult[MAX_PATH] = {};  // the edit box's text as last captured
HFONT chooserEditFont = nullptr;    // fetched on first use, kept for the life of the process

constexpr const char* ChooserTitle = "Enter or select a folder";
// Lengths at 96 DPI, placed through Scaled.
constexpr int EditLeft = 10;
constexpr int EditTop = 30;
constexpr int EditWidth = 295;
constexpr int EditHeight = 22;
constexpr int TitleTop = 12;
constexpr int TitleHeight = 15;
constexpr int Gap = 10;

// A stock font at the screen's DPI: the stock font itself at 96 DPI, otherwise a font made once
// like it at the scaled height.
HFONT ScaledStockFont(int stock) {
    auto font = static_cast<HFONT>(GetStockObject(stock));
    LOGFONTA look{};
    if (Scaled(BaseDpi) == BaseDpi || !font || !GetObjectA(font, sizeof look, &look)) return font;
    look.lfHeight = Scaled(look.lfHeight);
    look.lfWidth = Scaled(look.lfWidth);
    HFONT scaled = CreateFontIndirectA(&look);
    return scaled ? scaled : font;
}

void CreateChooserEdit(HWND dialog) {
    chooserEdit = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
        Scaled(EditLeft), Scaled(EditTop), Scaled(EditWidth), Scaled(EditHeight), dialog,
        reinterpret_cast<HMENU>(ChooserEditId), AppInstance(), nullptr);
    if (!chooserEdit) return;
    // A longer text could only be cut into some other folder when it is read back.
    SendMessageA(chooserEdit, EM_LIMITTEXT, MaxPathLength, 0);
    if (!chooserEditFont) chooserEditFont = ScaledStockFont(ANSI_VAR_FONT);
    if (chooserEditFont) SendMessageA(chooserEdit, WM_SETFONT, reinterpret_cast<WPARAM>(chooserEditFont), TRUE);
}

void ShowDesktopPath() {
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) || !desktop) return;
    if (SHGetPathFromIDListA(desktop, chooserResult)) {
        TrimBlanks(chooserResult);
        SetWindowTextA(chooserEdit, chooserResult);
    }
    CoTaskMemFree(desktop);
}

void SelectInitialFolder(HWND dialog) {
    if (PathExists(chooserInitialFolder)) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chooserInitialFolder));
        // The browser may fail to find a folder made moments ago (Wine's does, now and then) and
        // then selects nothing; the edit box still offers the folder.
        if (chooserEdit && GetWindowTextLengthA(chooserEdit) == 0) {
            std::strcpy(chooserResult, chooserInitialFolder);
            SetWindowTextA(chooserEdit, chooserResult);
        }
    } else {
        chooserInitialFolder[0] = 0;
        if (!chooserTree) return;
        auto root = reinterpret_cast<HTREEITEM>(SendMessageA(chooserTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        SendMessageA(chooserTree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(root));
        SendMessageA(chooserTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
        // A root the browser had selected already is not announced again: its path (the
        // desktop's) is put into the edit box here.
        if (chooserEdit && GetWindowTextLengthA(chooserEdit) == 0) ShowDesktopPath();
    }
    // The tree keeps showing its selection while the edit box has the focus.
    if (chooserTree) {
        LONG_PTR style = GetWindowLongPtrA(chooserTree, GWL_STYLE);
        SetWindowLongPtrA(chooserTree, GWL_STYLE, style | TVS_SHOWSELALWAYS);
    }
}

// The browser being arranged, its edit box, and the tree once found.
struct Arrangement {
    HWND dialog;
    HWND edit;
    HWND tree;
};

BOOL CALLBACK ArrangeChooserChild(HWND child, LPARAM parameter) {
    Arrangement& arrangement = *reinterpret_cast<Arrangement*>(parameter);
    const HWND edit = arrangement.edit;
    char className[80] = {};
    GetClassNameA(child, className, sizeof className);
    CharUpperA(className);
    const RECT place = ChildRectInParent(arrangement.dialog, child);
    const int x = place.left, width = place.right - place.left, height = place.bottom - place.top;

    if (std::strstr(className, "STATIC")) {
        char text[80] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::strstr(text, "folder"))
            MoveWindow(child, x, Scaled(TitleTop), width, Scaled(TitleHeight), TRUE);
        else
            ShowWindow(child, SW_HIDE);  // the status line and any other text
    } else if (std::strstr(className, "TREEVIEW")) {
        arrangement.tree = child;
        if (!edit) return TRUE;
        MoveWindow(edit, x, Scaled(EditTop), width, Scaled(EditHeight), TRUE);
        const int top = ChildRectInParent(arrangement.dialog, edit).top + Scaled(EditHeight) + Scaled(Gap);
        MoveWindow(child, x, top, width, height, TRUE);
        // The tree ends above the higher of the two buttons, found by their ids: their captions
        // are in the system's language, and their place in the child order varies.
        int buttonsTop = 0;
        bool buttonFound = false;
        for (int id : {IDOK, IDCANCEL}) {
            HWND button = GetDlgItem(arrangement.dialog, id);
            if (!button) continue;
            const int buttonTop = ChildRectInParent(arrangement.dialog, button).top;
            if (!buttonFound || buttonTop < buttonsTop) buttonsTop = buttonTop;
            buttonFound = true;
        }
        const int fitted = buttonsTop - top - Scaled(Gap);
        if (buttonFound && fitted > 0) MoveWindow(child, x, top, width, fitted, TRUE);
    }
    return TRUE;
}

LRESULT CALLBACK ChooserDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = chooserPreviousProc;
    if (message == WM_DESTROY) {
        // The edit box is read here, after OK and Cancel alike; only OK uses it.
        chooserResult[0] = 0;
        if (chooserEdit && GetWindowTextLengthA(chooserEdit) > 0) {
            GetWindowTextA(chooserEdit, chooserResult, MAX_PATH);
            TrimBlanks(chooserResult);
        }
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        CallWindowProcA(previous, window, WM_DESTROY, wParam, lParam);
        return 0;
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

int CALLBACK FolderChooserCallback(HWND dialog, UINT message, LPARAM param, LPARAM) {
    switch (message) {
    case BFFM_INITIALIZED:
        CreateChooserEdit(dialog);
        chooserPreviousProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChooserDialogProc)));
        chooserTree = ArrangeChooser(dialog, chooserEdit);
        SelectInitialFolder(dialog);
        break;
    case BFFM_SELCHANGED:
        // A selection without a file-system path (a virtual folder) empties the edit box.
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(param), chooserResult))
            TrimBlanks(chooserResult);
        else
            chooserResult[0] = 0;
        SetDlgItemTextA(dialog, ChooserEditId, chooserResult);
        break;
    }
    return 1;
}
}  // namespace

HWND ArrangeChooser(HWND dialog, HWND edit) {
    Arrangement arrangement{dialog, edit, nullptr};
    EnumChildWindows(dialog, &ArrangeChooserChild, reinterpret_cast<LPARAM>(&arrangement));
    return arrangement.tree;
}

bool ChooseFolder(HWND owner, char* output, const char* initialFolder) {
    bool confirmed = false;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        char displayName[MAX_PATH] = {};
        BROWSEINFOA browse{};
        browse.hwndOwner = owner;
        browse.pidlRoot = nullptr;
        browse.pszDisplayName = displayName;
        browse.lpszTitle = ChooserTitle;
        browse.ulFlags = BIF_STATUSTEXT;
        browse.lpfn = FolderChooserCallback;
        browse.lParam = 0;
        // A folder too long for a path buffer is not cut into another one: nothing is selected.
        chooserInitialFolder[0] = 0;
        if (initialFolder && BoundedLength(initialFolder, MaxPathLength + 1) <= MaxPathLength)
            std::strcpy(chooserInitialFolder, initialFolder);

        if (LPITEMIDLIST chosen = SHBrowseForFolderA(&browse)) {
            TrimBlanks(chooserResult);
            std::strcpy(output, chooserResult);
            allocator->Free(chosen);
            confirmed = true;
        }
        allocator->Release();
    }
    chooserInitialFolder[0] = 0;
    chooserEdit = nullptr;
    chooserTree = nullptr;
    return confirmed;
}
