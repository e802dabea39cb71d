#include "framework/dialogs/transparent_button.h"

#include "framework/core/window.h"
#include "framework/dialogs/button_painter.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/drawing/gdi_objects.h"

namespace {

// Shared by both class names: they come from the same system class.
TBaseClass buttonBase;

// A push button gaining or losing the focus takes the black frame from the
// dialog's default button or gives it back, unless the focus moves between
// two push buttons (then the base procedure's repaints settle it). The
// default button is repainted at once: nothing else invalidates it.
void HandOverDefaultFrame(HWND button, HWND other, bool gaining)
{
    InvalidateParentAround(button, 2);
    HWND defaultButton = FindDefaultPushButton(GetParent(button));
    if (!defaultButton || defaultButton == button || (other && IsPushLike(other, false)))
        return;
    TWindowDc dc(defaultButton);
    if (!dc)
        return;
    DrawTransparentButton(defaultButton, dc.Get(), IsWindowEnabled(defaultButton) != FALSE,
                          SendMessageW(defaultButton, BM_GETCHECK, 0, 0) != 0, false,
                          TWindow(defaultButton).IsClickRelease(), gaining);
}

}  // namespace

void TTransparentButton::FillWindowClass(WNDCLASSW& windowClass)
{
    FillTransparentClass(windowClass, buttonBase, L"BUTTON", L"TransparentButton", PreWndProc);
}

void TTransparentButton::FillPushWindowClass(WNDCLASSW& windowClass)
{
    FillTransparentClass(windowClass, buttonBase, L"BUTTON", L"TransparentPushButton", PreWndProc);
}

LRESULT CALLBACK TTransparentButton::PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!StoredField(hwnd, buttonBase))
        return CallWindowProcW(buttonBase.Procedure, hwnd, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE:
        // A push button answers as the system's push buttons do, so that
        // Enter finds the default one.
        if (IsPushLike(hwnd, false))
            return DLGC_BUTTON | (IsPushLike(hwnd, true) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        break;
    case BM_SETSTYLE:
        // The dialog manager hands the default style from button to button
        // as the focus moves; an owner-drawn button keeps its style (it
        // draws its default frame itself) and is only repainted.
        if (IsPushLike(hwnd, false)) {
            if (lParam)
                InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (IsPushLike(hwnd, false))
            HandOverDefaultFrame(hwnd, reinterpret_cast<HWND>(wParam), message == WM_SETFOCUS);
        else if (message == WM_KILLFOCUS)
            // While it had the focus the system drew the box on its own
            // background; the parent repaints under it before it turns transparent again.
            InvalidateParentAround(hwnd, 2);
        break;
    case WM_ENABLE:
        InvalidateParentAround(hwnd, 0);
        break;
    case WM_PAINT:
        // A focused check box or radio button, and an owner-drawn push
        // button, are painted by the base procedure.
        if (GetFocus() != hwnd && !IsPushLike(hwnd, false)) {
            TPaintDc paint(hwnd);
            DrawTransparentButton(hwnd, paint.Get(), IsWindowEnabled(hwnd) != FALSE,
                                  SendMessageW(hwnd, BM_GETCHECK, 0, 0) != 0, false, TWindow(hwnd).IsClickRelease(),
                                  false);
            return 0;
        }
        break;
    default:
        break;
    }
    return CommonTransparentProc(buttonBase, hwnd, message, wParam, lParam);
}
