// The painter of every transparent button kind: group box, check box, radio
// button and push button, with halo text over the parent's background.
#pragma once

#include <windows.h>

// Paints `control` into `dc` in the given state. `suppressDefaultFrame` keeps
// the black frame of a default push button away while another push button
// is taking the focus.
void DrawTransparentButton(HWND control, HDC dc, bool enabled, bool checked, bool focused, bool pressed,
                           bool suppressDefaultFrame);

// WM_DRAWITEM of an owner-drawn push button: the painter with the item's
// state. False for an item that is not a button.
bool DrawTransparentItem(const DRAWITEMSTRUCT& item);
// WM_MEASUREITEM of such a button: the control's window size.
void MeasureTransparentItem(HWND control, MEASUREITEMSTRUCT& item);
