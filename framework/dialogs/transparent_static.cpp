#include "framework/dialogs/transparent_static.h"

#include "framework/core/window.h"
#include "framework/dialogs/control_text.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/drawing/gdi_objects.h"
#include "framework/drawing/halo_text.h"
#include "framework/util/text.h"

namespace {

TBaseClass staticBase;

void Paint(HWND hwnd)
{
    TPaintDc paint(hwnd);
    TSelection font(paint.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    TTextColours restore(paint.Get());
    SetTextColor(paint.Get(), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(paint.Get(), GetSysColor(COLOR_BTNFACE));
    const TText text = ControlText(hwnd);
    DrawHaloText(paint.Get(), 0, 0, IsWindowEnabled(hwnd) != FALSE, text.Get());
}

}  // namespace

void TTransparentStatic::FillWindowClass(WNDCLASSW& windowClass)
{
    FillTransparentClass(windowClass, staticBase, L"STATIC", L"TransparentStatic", PreWndProc);
}

LRESULT CALLBACK TTransparentStatic::PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!StoredField(hwnd, staticBase))
        return CallWindowProcW(staticBase.Procedure, hwnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        Paint(hwnd);
        return 0;
    }
    return CommonTransparentProc(staticBase, hwnd, message, wParam, lParam);
}
