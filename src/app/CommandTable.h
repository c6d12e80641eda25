// The commands of the File and Help menus and of the toolbar: picture, label and enabling rule.
#pragma once
#include <windows.h>

enum class EnabledWhen {
    Always,
    CatalogueNotEmpty,
    RemovedPathsNotEmpty,
    NotFirstItem,  // the catalogue is not empty and the selected index is above 0
    NotLastItem,   // the catalogue is not empty and the selected item is not the last one
};

struct CommandInfo {
    int command;
    int image;              // index into the command pictures; NoImage for none
    const char* toolLabel;  // nullptr: not on the toolbar
    EnabledWhen enabledWhen;
};

constexpr int NoImage = 2000;

// Toolbar order; a zero command is a separator.
extern const CommandInfo ToolBarCommands[10];
// The File menu's items in order (separators left out), then the Help menu's.
extern const CommandInfo FileMenuCommands[7];
extern const CommandInfo HelpMenuCommands[2];

// The strip of command pictures drawn for the screen's scale (100, 150 or 200 percent, the
// nearest), and the size of one picture in it.
struct CommandPictures {
    UINT bitmap;
    int width;
    int height;
};
CommandPictures CommandPicturesForScreen();
