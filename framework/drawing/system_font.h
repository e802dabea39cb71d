// Fonts made from the system's current metrics.
#pragma once

#include <windows.h>

enum TSystemFontKind : int {
    CaptionFont = 0,
    IconTitleFont = 1,
    MenuFont = 2,
    MessageFont = 3,
    SmallCaptionFont = 4,
    StatusFont = 5,
};

// A new font (the caller deletes it) of the given kind; null for a kind outside
// 0 to 5 or when the system gives no metrics.
HFONT CreateSystemFont(int kind);

// The description CreateSystemFont makes its font from; false as above. The
// ANSI form holds the face name in the program's code page.
bool SystemFontDescription(int kind, LOGFONTW& font);
bool SystemFontDescription(int kind, LOGFONTA& font);
