// The program's process-wide objects and values. The objects are constructed in the order
// listed here before the program starts, and destroyed in reverse order when the process ends.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/IconBrowserApp.h"
#include "catalogue/PathStack.h"
#include "framework/CImageList.h"
#include "framework/GdiObjects.h"

extern IconBrowserApp theApp;
extern CBrush splitterBrush;        // paints the splitter bar while it is dragged
extern CImageList toolImageList;    // the 14 command pictures, 16 x 15
extern CImageList smallIconList;    // one 16 x 16 icon per catalogue entry
extern CImageList largeIconList;    // 32 x 32 icons of every file shown since the last reset
extern PathStack RemovedPathStack;  // paths of removed catalogue files, newest last

// Stands for "no index" in shownEntryIndex and describedIconIndex.
constexpr int NoIndex = 10000;

extern const char* appTitle;    // caption of the program's message boxes
extern CFont menuFont;          // font of the owner-drawn menu items: the system's menu font
extern HWND GroupNameList;      // hidden list box 1013: scratch list of icon-group names
extern int shownEntryIndex;     // catalogue item whose icons the view shows
extern int describedIconIndex;  // icon whose formats the status bar describes
extern char lastAddFolder[MAX_PATH];
extern char lastSaveAsFolder[MAX_PATH];
extern char lastSaveAllFolder[MAX_PATH];
extern std::vector<std::string> commandLineFiles;  // files named on the command line, added at start-up
