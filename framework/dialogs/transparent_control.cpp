#include "framework/dialogs/transparent_control.h"

#include "framework/drawing/display_scale.h"
#include "framework/settings/app_globals.h"

namespace {

const wchar_t* const kTransparentClasses[] = {L"TransparentEdit", L"TransparentStatic", L"TransparentButton",
                                              L"TransparentPushButton"};

bool IsTransparentClass(HWND control)
{
    wchar_t name[64];
    if (!GetClassNameW(control, name, 64))
        return false;
    for (const wchar_t* transparent : kTransparentClasses)
        if (lstrcmpiW(name, transparent) == 0)
            return true;
    return false;
}

// Where a transparent control keeps the owner's pointer: after the system class's own bytes.
int FieldOffset(HWND control)
{
    const LONG extra = static_cast<LONG>(GetClassLongW(control, GCL_CBWNDEXTRA));
    return extra >= static_cast<LONG>(sizeof(LONG_PTR)) ? extra - static_cast<int>(sizeof(LONG_PTR)) : -1;
}

}  // namespace

void FillTransparentClass(WNDCLASSW& windowClass, TBaseClass& base, const wchar_t* baseName,
                          const wchar_t* className, WNDPROC procedure)
{
    WNDCLASSW system = {};
    if (!GetClassInfoW(nullptr, baseName, &system)) {
        // Without the system class there is nothing to derive from: a record
        // without a procedure, which cannot be registered.
        windowClass = WNDCLASSW{};
        windowClass.lpszClassName = className;
        return;
    }
    if (!base.Procedure) {
        base.Procedure = system.lpfnWndProc;
        base.ExtraOffset = system.cbWndExtra;
    }
    windowClass = system;
    windowClass.hInstance = AppGlobals.Instance;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = base.ExtraOffset + static_cast<int>(sizeof(LONG_PTR));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
}

void BindTransparentControl(HWND control, TWindow* field)
{
    const int offset = FieldOffset(control);
    if (offset >= 0 && IsTransparentClass(control))
        SetWindowLongPtrW(control, offset, reinterpret_cast<LONG_PTR>(field));
}

TWindow* TransparentControlField(HWND control)
{
    const int offset = FieldOffset(control);
    if (offset < 0 || !IsTransparentClass(control))
        return nullptr;
    return reinterpret_cast<TWindow*>(GetWindowLongPtrW(control, offset));
}

TWindow* StoredField(HWND control, const TBaseClass& base)
{
    return base.ExtraOffset < 0 ? nullptr
                                : reinterpret_cast<TWindow*>(GetWindowLongPtrW(control, base.ExtraOffset));
}

bool IsPushLike(HWND window, bool requireDefault)
{
    wchar_t name[64];
    if (!window || !GetClassNameW(window, name, 64))
        return false;
    if (lstrcmpiW(name, L"TransparentPushButton") == 0) {
        if (!requireDefault)
            return true;
        const TWindow* field = TransparentControlField(window);
        return field && reinterpret_cast<const TPushButtonField*>(field)->IsDefault != 0;
    }
    if (lstrcmpiW(name, L"Button") == 0)
        return !requireDefault || (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return false;
}

HWND FindDefaultPushButton(HWND parent)
{
    if (!parent)
        return nullptr;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsPushLike(child, true))
            return child;
    return nullptr;
}

void InvalidateParentAround(HWND control, int grow)
{
    HWND parent = GetParent(control);
    RECT area;
    if (!parent || !GetWindowRect(control, &area))
        return;
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    const int scaled = ScaledLength(grow);
    InflateRect(&area, scaled, scaled);
    InvalidateRect(parent, &area, TRUE);
}

LRESULT CommonTransparentProc(const TBaseClass& base, HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ENABLE:
        InvalidateParentAround(control, 2);
        break;
    case WM_ERASEBKGND:
        if (GetFocus() != control)
            return 0;
        break;
    case WM_SETTEXT: {
        // The old text is not erased by the control itself: the parent
        // repaints under it before the new text is drawn.
        const LRESULT result = CallWindowProcW(base.Procedure, control, message, wParam, lParam);
        InvalidateParentAround(control, 2);
        return result;
    }
    default:
        break;
    }
    return CallWindowProcW(base.Procedure, control, message, wParam, lParam);
}
