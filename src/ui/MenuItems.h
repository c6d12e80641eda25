// Owner-drawn menu items: each converted item carries its text and the number of its command
// picture, and the main window measures and draws it in the manner of a toolbar button.
#pragma once
#include <windows.h>

#include <deque>

#include "framework/GdiObjects.h"

struct MenuItemRecord {
    char text[260] = {};  // as read from the menu: mnemonic mark, and a tab before a shortcut
    int imageIndex = 0;   // picture in toolImageList; above 1000 (NoImage) for none
};
constexpr int MenuImageLimit = 1000;  // image numbers above this draw no picture

// The font of the owner-drawn items: the system's menu font, made by the main window.
extern CFont menuFont;

// The records of every converted item, kept until the process ends (the menus refer to them).
extern std::deque<MenuItemRecord> MenuItemRecords;

// Turns the item `command` of `menu` into an owner-drawn item whose item data is a new record
// holding its text and `imageIndex`. Answers false and leaves the item alone when it cannot.
bool MakeOwnerDrawnItem(HMENU menu, UINT command, int imageIndex);

// The record of the item at `position` of `menu`, or nullptr for an item that is not owner-drawn.
const MenuItemRecord* MenuItemRecordAt(HMENU menu, UINT position);
