// Lengths for the display's scale. The program declares itself DPI aware, so
// the system no longer enlarges its windows as a blurred picture: every fixed
// length of the dialogs and menus, given in pixels at 96 DPI, is scaled here
// by the display's DPI over 96, rounded as the system rounds (MulDiv, halves
// away from zero). At 96 DPI every length stays exactly as given.
#pragma once

// The display's DPI (LOGPIXELSY of the screen), read once: a system-DPI-aware
// program sees one DPI for its whole run. 96 when it cannot be read. The
// program's entry reads it before any other thread starts (ReadDisplayDpi);
// without that call, the first DisplayDpi does.
void ReadDisplayDpi();
int DisplayDpi();

// `length` (pixels at 96 DPI) at the display's DPI, and at a given one.
int ScaledLength(int length);
int ScaledLength(int length, int dpi);
