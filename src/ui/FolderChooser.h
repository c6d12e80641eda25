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

// Puts the edit box `edit` (none: null) above the tree of the browser `dialog`, the tree above
// the higher of its OK and Cancel buttons, and hides the status text. Answers the tree, null when
// none was found.
HWND ArrangeChooser(HWND dialog, HWND edit);
