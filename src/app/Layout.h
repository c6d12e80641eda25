// The layout values of the main window: pixels in its client coordinates.
#pragma once
#include <windows.h>

extern int splitterPos;  // width of the catalogue list; the icon view starts 3 pixels right of it
extern int paneTop;      // bottom edge of the toolbar
extern int paneBottom;   // top edge of the status bar
extern UINT lastSizeType;
extern int lastClientWidth;
extern int lastClientHeight;

constexpr int PaneGap = 3;
constexpr int MinimumToolBarSpan = 640;
constexpr int MinimumIconViewClientWidth = 300;
constexpr int SplitterBarWidth = 2;
constexpr int SplitterLeftLimit = 20;
constexpr int SplitterRightLimit = 100;
