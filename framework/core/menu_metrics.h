// What every owner-drawn menu measures with: the spacing unit U, a screen DC
// with the menu font, and the rules that keep an item's width in bounds.
#pragma once

#include <windows.h>

#include "framework/drawing/gdi_objects.h"

// U: half the width, in the menu font, of the full-width character "全". Set
// by every measuring pass and shared by all menus.
extern int MenuSpacingUnit;

// A screen DC with the system's current menu font selected. Opening one
// computes MenuSpacingUnit again.
class TMenuMeasuringDc {
public:
    TMenuMeasuringDc();
    TMenuMeasuringDc(const TMenuMeasuringDc&) = delete;
    TMenuMeasuringDc& operator=(const TMenuMeasuringDc&) = delete;

    HDC Get() const { return screen_.Get(); }

private:
    TWindowDc screen_;
    TGdiObject<HFONT> font_;
    TSelection selection_;
};

// A width of half the screen or more becomes a third of the screen.
int CapMenuWidth(int width);
// Whether an item with an accelerator must be widened by the accelerator
// column itself: on Windows 95 (before 4.10.1998) and on the NT platform.
bool AcceleratorWidensItem();
