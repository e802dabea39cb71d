#include "framework/dialogs/dock_layout.h"

#include <algorithm>

namespace {

int DockOf(int dock)
{
    return dock >= DockLeft && dock <= DockFill ? dock : DockFill;
}

}  // namespace

int CentredIn(int a, int b, int s)
{
    return a + ((b - a + 1) - s) / 2;
}

TDockLayout DockLayout(const std::vector<TDockItem>& items, int gapX, int gapY)
{
    TDockLayout layout;
    for (const TDockItem& item : items) {
        SIZE size = item.Size;
        // An empty child (or one of negative area) gets no gap; two negative
        // sides make a positive area, as an empty nested group has.
        if (static_cast<long long>(size.cx) * size.cy > 0) {
            size.cx += gapX;
            size.cy += gapY;
        }
        layout.Sizes.push_back(size);
    }

    int width = 0, height = 0;
    for (size_t i = items.size(); i-- > 0;) {
        const SIZE size = layout.Sizes[i];
        switch (DockOf(items[i].Dock)) {
        case DockLeft:
        case DockRight:
            width += size.cx;
            height = std::max<int>(height, size.cy);
            break;
        case DockTop:
        case DockBottom:
            height += size.cy;
            width = std::max<int>(width, size.cx);
            break;
        default:
            width = size.cx;
            height = size.cy;
            break;
        }
    }

    // The free rectangle, inclusive.
    int left = 0, top = 0, right = width - 1, bottom = height - 1;
    for (size_t i = 0; i < items.size(); ++i) {
        const int w = layout.Sizes[i].cx, h = layout.Sizes[i].cy;
        RECT slot;
        switch (DockOf(items[i].Dock)) {
        case DockLeft:
            slot = {left, top, left + w - 1, bottom};
            left += w;
            break;
        case DockRight:
            slot = {right - w + 1, top, right, bottom};
            right -= w;
            break;
        case DockTop:
            slot = {left, top, right, top + h - 1};
            top += h;
            break;
        case DockBottom:
            slot = {left, bottom - h + 1, right, bottom};
            bottom -= h;
            break;
        default:
            slot = {left, top, right, bottom};
            right = left - 1;
            bottom = top - 1;
            break;
        }
        POINT at;
        switch (items[i].Align) {
        case AlignLeft:
            at = {slot.left, CentredIn(slot.top, slot.bottom, h)};
            break;
        case AlignRight:
            at = {slot.right - w + 1, CentredIn(slot.top, slot.bottom, h)};
            break;
        case AlignTop:
            at = {CentredIn(slot.left, slot.right, w), slot.top};
            break;
        case AlignBottom:
            at = {CentredIn(slot.left, slot.right, w), slot.bottom - h + 1};
            break;
        default:
            at = {CentredIn(slot.left, slot.right, w), CentredIn(slot.top, slot.bottom, h)};
            break;
        }
        layout.Positions.push_back(at);
    }
    layout.Total = {width - gapX, height - gapY};
    return layout;
}
