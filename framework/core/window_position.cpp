#include "framework/core/window_position.h"

#include <climits>

#include "framework/drawing/display_scale.h"

namespace {

LONG Clamped(long long value)
{
    return static_cast<LONG>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

RECT SizedAt(long long left, long long top, long long width, long long height)
{
    return RECT{Clamped(left), Clamped(top), Clamped(left + width), Clamped(top + height)};
}

}  // namespace

long long CentredStart(long long size, long long low, long long high)
{
    // Division truncates toward zero, for a window larger than the screen too.
    return low + (high - low - size) / 2;
}

// Centred on the pointer but 32 pixels (at 96 DPI) clear of the screen edges,
// or centred on the screen when the size leaves no room for that.
long long StartAroundPoint(long long size, long long point, long long low, long long high)
{
    const long long clear = ScaledLength(32);
    if (size + 2 * clear >= high - low)
        return CentredStart(size, low, high);
    long long start = point - size / 2;
    if (start < low + clear)
        start = low + clear;
    else if (start > high - size - clear)
        start = high - size - clear;
    return start;
}

RECT CentredRect(const RECT& rect, const RECT& screen)
{
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    return SizedAt(CentredStart(width, screen.left, screen.right), CentredStart(height, screen.top, screen.bottom),
                   width, height);
}

RECT RectAroundCursor(const RECT& rect, POINT cursor, const RECT& screen)
{
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    return SizedAt(StartAroundPoint(width, cursor.x, screen.left, screen.right),
                   StartAroundPoint(height, cursor.y, screen.top, screen.bottom), width, height);
}
