// The commands the framework adds to a shape's system menu: the menu extras
// carry them out, and the code whose state they show (translucency) marks them.
#pragma once

#include <windows.h>

// Identifiers of WM_SYSCOMMAND; the framework reserves 63078 to 63084 for them.
enum : UINT {
    SysCmdTopmost = 0xF666,      // 63078: toggle always on top
    SysCmdCentre = 0xF667,       // 63079: centre on the screen; position rule
    SysCmdMouse = 0xF668,        // 63080: open at the mouse pointer; position rule
    SysCmdKeepPlace = 0xF669,    // 63081: open at this exact rectangle; position rule
    SysCmdTranslucent = 0xF66C,  // 63084: toggle translucency
};
