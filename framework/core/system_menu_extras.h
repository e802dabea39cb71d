// The extra commands of a shape's system menu: always on top, translucency,
// and the popup that chooses where the window opens next time.
//
// The three position commands live in the popup "表示位置(&P)"; exactly one of
// them is checked, and that one is the position rule saved with the window's
// placement. Code finds the popup by its text (or, once the menu is drawn by
// the framework and keeps no texts, as the popup that holds the commands) and
// the commands by identifier.
#pragma once

#include <windows.h>

#include "framework/core/window.h"

// System commands of the extras (identifiers of WM_SYSCOMMAND). The framework
// reserves 63078 to 63084 for them.
enum : UINT {
    SysCmdTopmost = 0xF666,      // 63078: toggle always on top
    SysCmdCentre = 0xF667,       // 63079: centre on the screen; position rule
    SysCmdMouse = 0xF668,        // 63080: open at the mouse pointer; position rule
    SysCmdKeepPlace = 0xF669,    // 63081: open at this exact rectangle; position rule
    SysCmdTranslucent = 0xF66C,  // 63084: toggle translucency
};

extern const char PositionPopupText[];  // "表示位置(&P)"

// Inserts the extras above the close item of the window's system menu:
// the position popup (centre, mouse, this position; all greyed until a
// placement is restored), always on top, translucency when the system has
// layered windows, and a separator above Close. Close is greyed as well when
// the window may not be closed. A menu without a close item gets the same
// items, in the same order, at its end. False when the window has no system menu.
bool AddSystemMenuExtras(TWindow window, bool closable);

// The position popup of the window's system menu, or null.
HMENU PositionPopup(TWindow window);
// Its position in a system menu, or -1.
int PositionPopupIndex(HMENU systemMenu);
// Checks `rule` (63079, 63080 or 63081) in the position popup and unchecks
// the other two; nothing when the window has no popup.
void CheckPositionRule(TWindow window, UINT rule);
// The checked position rule: 63079 or 63080 when one of them is checked in the
// popup, else 63081 (also for a window without the popup).
UINT CheckedPositionRule(TWindow window);
// Enables or greys the three position commands.
void EnablePositionCommands(TWindow window, bool enable);

// Whether the window's system menu holds the command enabled (not grey, not disabled).
bool IsSystemCommandEnabled(TWindow window, UINT command);

// Always on top on or off: going on, the caption flashes twice quickly (100 ms);
// going off, once slowly (300 ms).
void ToggleTopmost(TWindow window);

// Carries out one of the five extra commands. True when `command` is one of
// them. For 63084 the caller lets the default processing run as well.
bool RunSystemMenuExtra(TWindow window, UINT command);
