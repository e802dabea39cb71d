// The part of the screen that windows may use: the screen without the taskbar.
#pragma once

#include <windows.h>

// The screen rectangle (the desktop window's) without a topmost, visible
// taskbar ("Shell_TrayWnd", no title) that lies along one of its edges; the
// whole screen when there is no such taskbar.
void GetWorkArea(RECT& area);

// The arithmetic of GetWorkArea: the screen without a taskbar at `taskbar`.
// A taskbar across the full width that touches exactly one of the top and
// bottom edges takes its height off that side; one down the full height that
// touches exactly one of the left and right edges takes its width off that
// side; any other arrangement leaves the whole screen.
RECT WorkAreaBesideTaskbar(const RECT& screen, const RECT& taskbar);
