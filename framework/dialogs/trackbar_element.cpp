#include "framework/dialogs/trackbar_element.h"

#include <commctrl.h>

#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"

namespace {

const int kTrackbarHeight = 21;  // at 96 DPI

}  // namespace

TTrackbarElement::TTrackbarElement(int dock, int value, int minimum, int maximum, int width)
    : TNumberElement(dock, value, minimum, maximum, width)
{
}

int TTrackbarElement::PageSize() const
{
    const long long page = (static_cast<long long>(Maximum) - Minimum) / 10;
    return page < 1 ? 1 : static_cast<int>(page);
}

SIZE TTrackbarElement::Measure(TShape&, HDC)
{
    return SIZE{ScaledLength(Width), ScaledLength(kTrackbarHeight)};
}

void TTrackbarElement::CreateControls(TShape& shape, int x, int y)
{
    Shape = &shape;
    CreateElementControl(shape, Control, 0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS,
                         x, y, ScaledLength(Width), ScaledLength(kTrackbarHeight), shape.NextId());
    ToControls();
}

void TTrackbarElement::OnShapeClosed(TShape&)
{
    Control = TWindow();
}

bool TTrackbarElement::OnScroll(int, int, HWND control)
{
    if (!control || control != Control.Hwnd)
        return false;
    const int before = Value;
    FromControls();
    if (Value != before && Shape)
        Shape->OnElementChanged(this);
    return true;
}

void TTrackbarElement::Enable(bool enable)
{
    if (Control.Hwnd)
        EnableWindow(Control.Hwnd, enable);
}

void TTrackbarElement::ToControls()
{
    if (!Control.Hwnd)
        return;
    SendMessageW(Control.Hwnd, TBM_SETRANGEMIN, FALSE, Minimum);
    SendMessageW(Control.Hwnd, TBM_SETRANGEMAX, FALSE, Maximum);
    SendMessageW(Control.Hwnd, TBM_SETPAGESIZE, 0, PageSize());
    SendMessageW(Control.Hwnd, TBM_SETPOS, TRUE, Value);
}

void TTrackbarElement::FromControls()
{
    if (Control.Hwnd)
        Value = Clamped(SendMessageW(Control.Hwnd, TBM_GETPOS, 0, 0));
}
