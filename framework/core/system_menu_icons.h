// Icons for the items of a window's system menu, the framework's extras
// included: the entries an owner-drawn system menu is built from.
#pragma once

#include <windows.h>

class TOwnerDrawMenu;

struct TSystemMenuIcon {
    UINT Command;          // 0: the position popup, found by position
    const char* IconName;  // icon group resource of the program
};
extern const TSystemMenuIcon SystemMenuIcons[12];

// Adds to `wrapper` an item with its icon for every command of the table that
// `systemMenu` holds, and, when the menu has the always-on-top command and the
// position popup, a submenu entry for the popup holding the position commands.
// The caller attaches the wrapper afterwards.
void AddSystemMenuIcons(TOwnerDrawMenu* wrapper, HMENU systemMenu);
