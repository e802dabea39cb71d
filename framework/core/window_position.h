// Placing a window at the screen centre or around the mouse pointer. The
// screen is the desktop window's rectangle.
#pragma once

#include <windows.h>

#include "framework/core/window.h"

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

// The arithmetic of the two. Sizes are taken in 64 bits, so no rectangle
// can overflow them; a result that would not fit is cut at the int range.
RECT CentredRect(const RECT& rect, const RECT& screen);
RECT RectAroundCursor(const RECT& rect, POINT cursor, const RECT& screen);
// One axis of each: where a span of `size` starts on the screen span [low, high).
long long CentredStart(long long size, long long low, long long high);
long long StartAroundPoint(long long size, long long point, long long low, long long high);
