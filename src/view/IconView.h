// The icon lists' colour depth, and the icon a command acts on.
#pragma once
#include <windows.h>

// 8-bit colour with a mask on screens of more than 8 bits per pixel, otherwise the default depth.
UINT IconListFlags();
class CListCtrl;
// The icon a command acts on: the lowest selected item of the icon view, or 0 when none is.
int SelectedIconIndex(const CListCtrl& iconView);
