#include "framework/dialogs/halo_text.h"

#include <climits>
#include <cstring>

#include "framework/util/gdi_objects.h"
#include "framework/util/palette_device.h"
#include "framework/util/text.h"

const THaloOffset HaloOffsets[20] = {
    {-2, -1}, {-2, 0}, {-2, 1}, {2, -1}, {2, 0},  {2, 1},  {-1, -2}, {0, -2}, {1, -2}, {-1, 2},
    {0, 2},   {1, 2},  {-1, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, 0},  {1, 0},  {0, -1}, {0, 1},
};

namespace {

int TextLength(const char* text)
{
    const size_t length = std::strlen(text);
    return length > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

void DrawPrefixText(HDC dc, int x, int y, const char* text, int length, UINT state)
{
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(length), x, y, 0, 0,
               DST_PREFIXTEXT | state);
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

int DrawTabbedLine(HDC dc, int x, int y, const char* line, int length)
{
    return HIWORD(TabbedTextOutA(dc, x, y, line, length, 0, nullptr, x));
}

}  // namespace

void DrawHaloText(HDC dc, int x, int y, bool enabled, const char* text)
{
    if (!text)
        text = "";
    const int length = TextLength(text);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const bool trueColour = IsNonPaletteDevice(dc);
    if (trueColour) {
        const COLORREF textColour = SetTextColor(dc, GetBkColor(dc));
        for (const THaloOffset& offset : HaloOffsets)
            DrawPrefixText(dc, x + offset.dx, y + offset.dy, text, length, DSS_NORMAL);
        SetTextColor(dc, textColour);
    }
    if (enabled) {
        DrawPrefixText(dc, x, y, text, length, DSS_NORMAL);
    } else if (trueColour) {
        DrawPrefixText(dc, x, y, text, length, DSS_DISABLED);
    } else {
        const COLORREF textColour = SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawPrefixText(dc, x, y, text, length, DSS_NORMAL);
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
            int height = 0;
            for (const THaloOffset& offset : HaloOffsets)
                height = DrawTabbedLine(dc, x + offset.dx, top + offset.dy, line, length);
            top += height;
        });
    }
    SetTextColor(dc, textColour);
    int top = y;
    ForEachLine(text, [&](const char* line, int length) { top += DrawTabbedLine(dc, x, top, line, length); });
}
