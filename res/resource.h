// Resource and command identifiers. One prefix per kind; numbers are part of the program's
// stable interface (templates, menus and the toolbar refer to them).
#pragma once

// Dialog templates
#define IDD_ABOUT               100
#define IDD_MAIN                102

// Icons, menus, bitmaps, cursors
#define IDI_MAIN                128
#define IDR_MAINMENU            129
#define IDB_COMMANDS            130
#define IDB_COMMANDS_150        131
#define IDB_COMMANDS_200        134
#define IDCUR_HAND              132
#define IDCUR_SPLITTER          133

// Controls of the main window
#define IDC_CATALOGUE_LIST      1000
#define IDC_ICON_VIEW           1001
#define IDC_SPLITTER_BAR        1007
#define IDC_GROUP_NAME_LIST     1013
#define IDC_TOOLBAR             5000
#define IDC_STATUSBAR           5010

// Controls of the About box
#define IDC_ABOUT_RELEASE       1007
#define IDC_ABOUT_WEB_LINK      1009
#define IDC_ABOUT_MAIL_LINK     1010

// Commands
#define ID_RELOAD_ICONS         6000
#define ID_PREVIOUS_FILE        6010
#define ID_NEXT_FILE            6020
#define ID_FILE_NEW             32771
#define ID_FILE_SAVE_AS         32772
#define ID_FILE_COPY            32773
#define ID_FILE_SAVE_ALL        32774
#define ID_FILE_DELETE          32775
#define ID_FILE_EXIT            32776
#define ID_HELP_CONTENTS        32777
#define ID_HELP_ABOUT           32778
#define ID_FILE_UNDO_DELETE     32779

// Texts shown in the About box
#define GLYPHDOCK_RELEASE       "Beta Release 3.0"
#define GLYPHDOCK_COPYRIGHT     "Copyright (C) 2026 Glyphdock"
#define GLYPHDOCK_WEB_ADDRESS   "http://www.example.org/"
#define GLYPHDOCK_MAIL_ADDRESS  "glyphdock@example.org"
