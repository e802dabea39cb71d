// TMenuSeparator: a separator item drawn as an etched line over the menu's
// face. The automatic pass of an owner-drawn menu makes one for every
// separator it finds.
#pragma once

#include "framework/core/menu_item.h"

class TMenuSeparator : public TMenuItem {
public:
    explicit TMenuSeparator(int position);

    void Draw(const DRAWITEMSTRUCT& item) override;
    // No width of its own; the etched line with three pixels above and below.
    int Measure(HDC dc) override;
};
