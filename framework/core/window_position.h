// The arithmetic of placing a window at the screen centre or around the mouse
// pointer, for the position commands of the system-menu extras and for a
// restored placement. Sizes are taken in 64 bits, so no rectangle can
// overflow them; a result that would not fit is cut at the int range.
#pragma once

#include <windows.h>

RECT CentredRect(const RECT& rect, const RECT& screen);
RECT RectAroundCursor(const RECT& rect, POINT cursor, const RECT& screen);
// One axis of each: where a span of `size` starts on the screen span [low, high).
long long CentredStart(long long size, long long low, long long high);
long long StartAroundPoint(long long size, long long point, long long low, long long high);
