// Owner-drawn menu items: each converted item carries its text and the number of its command
// picture, and the main window measures and draws it in the manner of a toolbar button.
#pragma once
#include <windows.h>

// The item data of a converted item, as the window system hands it back when the item is
// measured and drawn.
struct MenuItemRecord {
    char text[260] = {};  // as read from the menu: mnemonic mark, and a tab before a shortcut
    int imageIndex = 0;   // picture in toolImageList; above 1000 (NoImage) for none
};
constexpr int MenuImageLimit = 1000;  // image numbers above this draw no picture

// Turns the item `command` of `menu` into an owner-drawn item whose item data is a new record
// holding its text and `imageIndex`. Answers false and leaves the item alone when it cannot.
bool MakeOwnerDrawnItem(HMENU menu, UINT command, int imageIndex);
