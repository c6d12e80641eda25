// The list box of group names that the main window keeps (engine/ModuleGroups.h). The Linux
// build has no windows: it always passes null, and the engine keeps the names itself.
#pragma once
#ifdef _WIN32
#include <windows.h>
using NameListBox = HWND;
#else
using NameListBox = struct NoNameList*;
#endif
