// The icon lists' colour depth, and the creation of the icon cache shown by the icon view.
#pragma once
#include <windows.h>

// 8-bit colour with a mask on screens of more than 8 bits per pixel, otherwise the default depth.
UINT IconListFlags();
// Creates largeIconList anew, empty: 32 x 32 icons, growing by 100.
bool CreateIconCache();

// The number of icons in a file, in the shell's numbering, read by our own readers (an ICO file
// counts one); 0 for none, also for a file whose resource directory cannot be read.
int SourceIconCount(const char* path);

class CImageList;
// Appends icons 0 to count - 1 of a file, in the shell's numbering, to the list. Every index
// gets an image: a blank one where an icon cannot be read, so that ranges stay aligned.
void AppendFileIcons(CImageList& list, const char* path, int count);

class CListCtrl;
// The icon a command acts on: the lowest selected item of the icon view, or 0 when none is.
int SelectedIconIndex(const CListCtrl& iconView);
