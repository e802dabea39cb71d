#include "framework/dialogs/transparent_editbox.h"

#include "framework/core/window.h"
#include "framework/dialogs/control_text.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/gdi_objects.h"
#include "framework/drawing/halo_text.h"
#include "framework/util/text.h"

namespace {

TBaseClass editBase;

void Paint(HWND hwnd)
{
    TPaintDc paint(hwnd);
    TSelection font(paint.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    RECT client;
    GetClientRect(hwnd, &client);
    const TText text = ControlText(hwnd);
    const COLORREF colour = GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
    DrawHaloTabbedText(paint.Get(), client.left + ScaledLength(1), client.top, text.Get(), colour,
                       GetSysColor(COLOR_BTNFACE));
}

}  // namespace

void TTransparentEditbox::FillWindowClass(WNDCLASSW& windowClass)
{
    FillTransparentClass(windowClass, editBase, L"EDIT", L"TransparentEdit", PreWndProc);
}

LRESULT CALLBACK TTransparentEditbox::PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!StoredField(hwnd, editBase))
        return CallWindowProcW(editBase.Procedure, hwnd, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateParentAround(hwnd, 2);
        break;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    default:
        break;
    }
    return CommonTransparentProc(editBase, hwnd, message, wParam, lParam);
}
