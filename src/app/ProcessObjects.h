// The program's process-wide objects whose order matters: they are constructed in the order
// listed here before the program starts, and destroyed in reverse order when the process ends.
// Every other process-wide value is defined beside the code that owns it.
#pragma once
#include <windows.h>

#include "app/IconBrowserApp.h"
#include "catalogue/PathStack.h"
#include "framework/CImageList.h"

extern IconBrowserApp theApp;
extern CImageList toolImageList;    // the 14 command pictures, 16 x 15
extern CImageList smallIconList;    // one 16 x 16 icon per catalogue entry
extern CImageList largeIconList;    // 32 x 32 icons of every file shown since the last reset
extern PathStack RemovedPathStack;  // paths of removed catalogue files, newest last
