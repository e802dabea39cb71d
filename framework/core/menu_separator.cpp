#include "framework/core/menu_separator.h"

namespace {

// The etched line is two pixels high.
const int LineInset = 3;

}  // namespace

TMenuSeparator::TMenuSeparator(int position) : TMenuItem(TMenuPosition{position})
{
}

void TMenuSeparator::Draw(const DRAWITEMSTRUCT& item)
{
    PaintMenuFace(item);
    RECT line = item.rcItem;
    line.top += LineInset;
    line.bottom -= LineInset;
    DrawEdge(item.hDC, &line, EDGE_ETCHED, BF_TOP);
}

int TMenuSeparator::Measure(HDC)
{
    Width = 0;
    Height = 2 * LineInset + 2;
    return Width;
}
