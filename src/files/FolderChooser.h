// The folder chooser of Save All: the system's folder browser, reshaped while it opens so that an
// edit box stands above the folder tree. Selecting a folder in the tree writes its path into the
// edit box; the user may also type any path there. What the edit box holds when the dialog
// closes is the result, whether or not that folder exists yet.
#pragma once
#include <windows.h>

// Id of the edit box added above the tree.
constexpr int ChooserEditId = 54321;

// Shows the chooser owned by `owner`, with `initialFolder` selected when it exists. True when
// the user confirmed: `output` (a path buffer) holds the edit box's text without surrounding
// blanks, possibly empty. False when the user cancelled or the shell could not show the
// browser; `output` is then unchanged.
bool ChooseFolder(HWND owner, char* output, const char* initialFolder);

// The chooser's working state while it is open; only one chooser can be open at a time.
// The handles and the initial folder are cleared when ChooseFolder returns.
extern HWND chooserDialog;
extern HWND chooserEdit;
extern HWND chooserTree;  // the browser's tree, null when none was found
extern WNDPROC chooserPreviousProc;
extern char chooserInitialFolder[MAX_PATH];
extern char chooserResult[MAX_PATH];  // the edit box's text as last captured; kept after return
extern HFONT chooserEditFont;         // fetched on first use, kept for the life of the process

// Puts the edit box chooserEdit above the tree of the browser `dialog` (which becomes
// chooserDialog), the tree above the higher of its OK and Cancel buttons, and hides the status
// text; chooserTree is the tree found.
void ArrangeChooser(HWND dialog);
