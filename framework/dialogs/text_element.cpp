#include "framework/dialogs/text_element.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/core/display_text.h"
#include "framework/dialogs/control_text.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/icon_source.h"
#include "framework/util/wide_text.h"

namespace {

// WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL | ES_MULTILINE
const DWORD kTextStyle = 0x50000884;
// Around the text, at 96 DPI: room for the edit's caret and the text's halo.
const int kTextMargin = 2;

}  // namespace

SIZE MultiLineExtent(HDC dc, const char* text)
{
    SIZE extent = {0, 0};
    const int total = static_cast<int>(std::strlen(text));
    int at = 0;
    for (;;) {
        const int length = LineLength(total - at, text + at);
        // Measured in UTF-16, as the control draws it.
        const std::string line(length > 0 ? std::string(text + at, length) : std::string(" "));
        const std::wstring wide = WideText(line.c_str());
        const DWORD size = GetTabbedTextExtentW(dc, wide.c_str(), static_cast<int>(wide.size()), 0, nullptr);
        extent.cx = std::max<LONG>(extent.cx, LOWORD(size));
        extent.cy += HIWORD(size);
        const int span = LineSpan(total - at, text + at);
        if (span == length)  // no line break: the last line
            break;
        at += span;
    }
    return extent;
}

TTextElement::TTextElement(int dock, int align, const char* text, bool noMinHeight)
    : TElement(dock, align), NoMinHeight(noMinHeight)
{
    SetText(text);
}

void TTextElement::SetText(const char* text)
{
    DisplayText(Text.Slot(), text ? text : "");
    if (Control.Hwnd && IsWindow(Control.Hwnd))
        SetControlText(Control.Hwnd, Text.Get());
}

SIZE TTextElement::Measure(TShape&, HDC dc)
{
    const SIZE extent = MultiLineExtent(dc, Text.Get());
    TextWidth = extent.cx + ScaledLength(kTextMargin);
    TextHeight = extent.cy + ScaledLength(kTextMargin);
    Width = TextWidth;
    // At least as tall as a large icon, so that a short text lines up with one.
    Height = NoMinHeight ? TextHeight : std::max(TextHeight, IconSizeOfKind(IconSizeLarge));
    return SIZE{Width, Height};
}

void TTextElement::CreateControls(TShape& shape, int x, int y)
{
    CreateElementControl(shape, Control, 0, "TransparentEdit", Text.Get(), kTextStyle, x,
                         y + (Height - TextHeight) / 2, TextWidth, TextHeight, shape.NextId());
}

void TTextElement::OnShapeClosed(TShape&)
{
    Control = TWindow();
}

void TTextElement::Enable(bool enable)
{
    if (Control.Hwnd)
        EnableWindow(Control.Hwnd, enable);
}
