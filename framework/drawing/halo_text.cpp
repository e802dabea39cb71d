#include "framework/drawing/halo_text.h"

#include <climits>
#include <cstring>

#include "framework/drawing/display_scale.h"
#include "framework/drawing/gdi_objects.h"
#include "framework/drawing/palette_device.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

int HaloReach()
{
    return ScaledLength(2);
}

namespace {

// Calls draw(dx, dy) for every offset of the halo (halo_text.h).
template <typename Draw> void ForEachHaloOffset(Draw draw)
{
    const int reach = HaloReach();
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if ((dx || dy) && dx * dx + dy * dy <= reach * reach + 1)
                draw(dx, dy);
}

int TextLength(const char* text)
{
    const size_t length = std::strlen(text);
    return length > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

void DrawPrefixText(HDC dc, int x, int y, const TWideText& text, UINT state)
{
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.Get()), static_cast<WPARAM>(text.Length()), x,
               y, 0, 0, DST_PREFIXTEXT | state);
}

// Calls draw(line, length) for every line; an empty line is one space, so
// that it still has a height.
template <typename Draw> void ForEachLine(const char* text, Draw draw)
{
    const int limit = TextLength(text);
    const char* line = text;
    for (;;) {
        const int rest = limit - static_cast<int>(line - text);
        const int length = LineLength(rest, line);
        if (length > 0)
            draw(line, length);
        else
            draw(" ", 1);
        const int span = LineSpan(rest, line);
        if (span == length)
            return;
        line += span;
    }
}

int DrawTabbedLine(HDC dc, int x, int y, const TWideText& line)
{
    return HIWORD(TabbedTextOutW(dc, x, y, line.Get(), line.Length(), 0, nullptr, x));
}

}  // namespace

void DrawHaloText(HDC dc, int x, int y, bool enabled, const char* text)
{
    const TWideText wide(text);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const bool trueColour = IsNonPaletteDevice(dc);
    if (trueColour) {
        const COLORREF textColour = SetTextColor(dc, GetBkColor(dc));
        ForEachHaloOffset([&](int dx, int dy) { DrawPrefixText(dc, x + dx, y + dy, wide, DSS_NORMAL); });
        SetTextColor(dc, textColour);
    }
    if (enabled) {
        DrawPrefixText(dc, x, y, wide, DSS_NORMAL);
    } else if (trueColour) {
        DrawPrefixText(dc, x, y, wide, DSS_DISABLED);
    } else {
        const COLORREF textColour = SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawPrefixText(dc, x, y, wide, DSS_NORMAL);
        SetTextColor(dc, textColour);
    }
    SetBkMode(dc, mode);
}

void DrawHaloTabbedText(HDC dc, int x, int y, const char* text, COLORREF textColour, COLORREF haloColour)
{
    if (!text)
        text = "";
    TTextColours restore(dc);
    SetBkMode(dc, TRANSPARENT);
    if (IsNonPaletteDevice(dc)) {
        SetTextColor(dc, haloColour);
        int top = y;
        ForEachLine(text, [&](const char* line, int length) {
            const TWideText wide(line, length);
            int height = 0;
            ForEachHaloOffset([&](int dx, int dy) { height = DrawTabbedLine(dc, x + dx, top + dy, wide); });
            top += height;
        });
    }
    SetTextColor(dc, textColour);
    int top = y;
    ForEachLine(text, [&](const char* line, int length) { top += DrawTabbedLine(dc, x, top, TWideText(line, length)); });
}
