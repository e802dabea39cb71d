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

#include "framework/core/system_commands.h"
#include "framework/core/window.h"

extern const char PositionPopupText[];         // "表示位置(&P)"
extern const char PositionPopupTextEnglish[];  // "&Position"

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

// The rectangle `rect` (or the window's own when null) moved to the screen
// centre, its size kept; checks "centre" as the window's position rule.
RECT CentreRect(TWindow window, const RECT* rect);
// Moves the window there (repainting).
void CentreWindow(TWindow window);
// The rectangle (or the window's own) moved around the mouse pointer, at
// least 32 pixels inside the screen edges where it fits; checks "mouse" as
// the window's position rule.
RECT MouseRect(TWindow window, const RECT* rect);
// Moves the window there (repainting).
void MoveToMouse(TWindow window);

// Always on top on or off: going on, the caption flashes twice quickly (100 ms);
// going off, once slowly (300 ms).
void ToggleTopmost(TWindow window);

// Carries out one of the five extra commands. True when `command` is one of
// them. For 63084 the caller lets the default processing run as well.
bool RunSystemMenuExtra(TWindow window, UINT command);
