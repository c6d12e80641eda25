#include "app/ProcessObjects.h"

#include "app/Layout.h"
#include "files/FolderChooser.h"
#include "ui/MenuItems.h"
#include "ui/ShellHandOff.h"

// One translation unit, so that construction follows this order and destruction reverses it.
IconBrowserApp theApp;
CBrush splitterBrush;
CImageList toolImageList;
CImageList smallIconList;
CImageList largeIconList;
PathStack RemovedPathStack;

// The process-wide values, all defined here.
const char* appTitle = "";
CFont menuFont;
HWND GroupNameList = nullptr;
int shownEntryIndex = NoIndex;
int describedIconIndex = NoIndex;
char lastAddFolder[MAX_PATH] = {};
char lastSaveAsFolder[MAX_PATH] = {};
char lastSaveAllFolder[MAX_PATH] = {};
ShellHandOff shellHandOff;
std::deque<MenuItemRecord> MenuItemRecords;
std::vector<std::string> commandLineFiles;

int splitterPos = 140;
int paneTop = 0;
int paneBottom = 0;
UINT lastSizeType = SIZE_RESTORED;
int lastClientWidth = 0;
int lastClientHeight = 0;

// The folder chooser's state while it is open.
HWND chooserDialog = nullptr;
HWND chooserEdit = nullptr;
HWND chooserTree = nullptr;
WNDPROC chooserPreviousProc = nullptr;
char chooserInitialFolder[MAX_PATH] = {};
char chooserResult[MAX_PATH] = {};
HFONT chooserEditFont = nullptr;
