// The icon lists' sizes and colour depth, and the icon a command acts on.
#pragma once
#include <windows.h>

// The sides of the icon view's pictures and of the catalogue's small icons: the system's icon
// sizes, which follow the screen's DPI (32 and 16 at 96 DPI, 48 and 24 at 144).
int LargeIconSide();
int SmallIconSide();

// 8-bit colour with a mask on screens of more than 8 bits per pixel, otherwise the default depth.
UINT IconListFlags();
class CListCtrl;
// The icon a command acts on: the lowest selected item of the icon view, or 0 when none is.
int SelectedIconIndex(const CListCtrl& iconView);
