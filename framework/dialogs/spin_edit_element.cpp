#include "framework/dialogs/spin_edit_element.h"

#include <commctrl.h>

#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"
#include "framework/settings/app_globals.h"
#include "framework/util/system_library.h"

namespace {

// WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS
const DWORD kUpDownStyle = 0x50000026;
const int kEditHeight = 18;  // at 96 DPI

}  // namespace

TSpinEditElement::TSpinEditElement(int dock, int value, int minimum, int maximum, int width)
    : TNumberElement(dock, value, minimum, maximum, width)
{
}

SIZE TSpinEditElement::Measure(TShape&, HDC)
{
    return SIZE{ScaledLength(Width), ScaledLength(kEditHeight)};
}

void TSpinEditElement::CreateControls(TShape& shape, int x, int y)
{
    CreateElementControl(shape, Edit, WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                         x, y, ScaledLength(Width), ScaledLength(kEditHeight), shape.NextId());
    const int id = shape.NextId();
    // The common controls are loaded with the first up-down control.
    typedef HWND(WINAPI * TCreateUpDownControl)(DWORD style, int x, int y, int width, int height, HWND parent, int id,
                                                HINSTANCE instance, HWND buddy, int upper, int lower, int position);
    const TCreateUpDownControl create =
        CommonControlFunction<TCreateUpDownControl>(ICC_UPDOWN_CLASS, "CreateUpDownControl");
    UpDown.Hwnd = create ? create(kUpDownStyle, 0, 0, 0, 0, shape.Hwnd, id, AppGlobals.Instance, Edit.Hwnd, 0, 0, 0)
                         : nullptr;
    ToControls();
}

void TSpinEditElement::OnShapeClosed(TShape&)
{
    Edit = TWindow();
    UpDown = TWindow();
}

bool TSpinEditElement::OnCommand(int, HWND control, int code)
{
    if (!control || control != Edit.Hwnd)
        return false;
    if (code == EN_CHANGE)
        FromControls();
    return true;
}

void TSpinEditElement::Enable(bool enable)
{
    if (Edit.Hwnd)
        EnableWindow(Edit.Hwnd, enable);
    if (UpDown.Hwnd)
        EnableWindow(UpDown.Hwnd, enable);
}

void TSpinEditElement::ToControls()
{
    if (!UpDown.Hwnd)
        return;
    SendMessageW(UpDown.Hwnd, UDM_SETRANGE32, static_cast<WPARAM>(Minimum), Maximum);
    SendMessageW(UpDown.Hwnd, UDM_SETPOS32, 0, Value);
}

void TSpinEditElement::FromControls()
{
    if (!UpDown.Hwnd)
        return;
    // The up-down control reads its buddy's text; a text that is no number
    // inside the range leaves the value as it was.
    BOOL failed = FALSE;
    const LRESULT position = SendMessageW(UpDown.Hwnd, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    if (!failed)
        Value = Clamped(static_cast<int>(position));
}
