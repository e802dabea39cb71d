// The make-up of the system's taskbar, which decides the width of katakana shown.
#pragma once

#include <windows.h>

// True when the taskbar window ("Shell_TrayWnd", no title) holds a rebar
// ("ReBarWindow32", no title); asked on the first call and kept for the run.
bool HasTaskbarRebar();

// The same question asked of the windows as they are now, without keeping the answer.
bool FindTaskbarRebar();

// Whether a taskbar window holds the rebar child (false for no window).
bool TaskbarHoldsRebar(HWND taskbar);
