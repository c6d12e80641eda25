#include "app/ProcessObjects.h"

// One translation unit, so that construction follows this order and destruction reverses it.
IconBrowserApp theApp;
CBrush splitterBrush;
CImageList toolImageList;
CImageList smallIconList;
CImageList largeIconList;
PathStack RemovedPathStack;

const char* appTitle = "";
HFONT menuFont = nullptr;
HWND GroupNameList = nullptr;
