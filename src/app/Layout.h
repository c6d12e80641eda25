// The layout values of the main window: pixels in its client coordinates. The constants are
// lengths at 96 DPI, laid out through Scaled (framework/DisplayScale.h).
#pragma once
#include <windows.h>

extern int splitterPos;  // width of the catalogue list; the icon view starts 3 pixels right of it
extern int paneTop;      // bottom edge of the toolbar
extern int paneBottom;   // top edge of the status bar
extern UINT lastSizeType;
extern int lastClientWidth;
extern int lastClientHeight;

constexpr int InitialSplitterPos = 140;
constexpr int PaneGap = 3;
constexpr int MinimumToolBarSpan = 640;
constexpr int MinimumIconViewClientWidth = 300;
constexpr int SplitterBarWidth = 2;
constexpr int SplitterLeftLimit = 20;
constexpr int SplitterRightLimit = 100;
constexpr int WindowWidth = 550;  // the outer size at start-up
constexpr int WindowHeight = 400;
constexpr int StatusPartWidth = 140;  // the status bar's first part
