#include "framework/core/menu_separator.h"

#include "framework/drawing/display_scale.h"

namespace {

// The etched line is two pixels high at every scale; the space around it is
// 3 pixels at 96 DPI, scaled for the display.
const int LineInset = 3;

}  // namespace

TMenuSeparator::TMenuSeparator(int position) : TMenuItem(TMenuPosition{position})
{
}

void TMenuSeparator::Draw(const DRAWITEMSTRUCT& item)
{
    PaintMenuFace(item);
    RECT line = item.rcItem;
    line.top += ScaledLength(LineInset);
    line.bottom -= ScaledLength(LineInset);
    DrawEdge(item.hDC, &line, EDGE_ETCHED, BF_TOP);
}

int TMenuSeparator::Measure(HDC)
{
    Width = 0;
    Height = 2 * ScaledLength(LineInset) + 2;
    return Width;
}
