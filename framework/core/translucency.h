// Window translucency through the system's layered windows.
//
// SetLayeredWindowAttributes exists only on later systems, so it is looked up
// at run time, once per process, in the system directory's USER32.DLL through
// the module registry. Where it is missing every operation here does nothing
// and the translucency command is left out of the system menu.
//
// The look comes from the framework's "View" settings, which are only read:
// "TransparentStyle" (2: uniform alpha, anything else: colour key),
// "TransparentAlphaLevel" (its low byte is the alpha) and "TransparentColor".
#pragma once

#include <windows.h>

#include "framework/core/window.h"

bool IsLayeringAvailable();

// On: translucent by the "View" settings. Off: opaque again, the layered
// style removed and the system menu's translucency command unchecked.
void ApplyTranslucency(TWindow window, bool on);
// The two ways of turning it on; each checks the translucency command.
void SetAlpha(TWindow window, BYTE alpha);
void SetColorKey(TWindow window, COLORREF colour);
