#include "framework/core/shape_keys.h"

#include "framework/core/system_menu_extras.h"
#include "framework/util/key_state.h"

namespace {

// What the system posts to the focused window for a press of F1, and turns
// into WM_HELP (the SDK headers leave it out).
const UINT KeyF1Message = 0x004D;

BYTE HeldModifiers()
{
    BYTE held = 0;
    if (IsKeyDown(VK_MENU))
        held |= FALT;
    if (IsKeyDown(VK_CONTROL))
        held |= FCONTROL;
    if (IsKeyDown(VK_SHIFT))
        held |= FSHIFT;
    return held;
}

// Enter belongs to an edit that takes line breaks and may be changed.
bool IsEditableMultiLineEdit(HWND control)
{
    if (!control)
        return false;
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    if (lstrcmpiW(className, L"EDIT") != 0 && lstrcmpiW(className, L"TransparentEDIT") != 0)
        return false;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    return (style & ES_WANTRETURN) && !(style & ES_READONLY);
}

bool PostSystemCommand(UINT command)
{
    HWND active = GetActiveWindow();
    if (!active || !IsSystemCommandEnabled(TWindow(active), command))
        return false;
    PostMessageW(active, WM_SYSCOMMAND, command, static_cast<LPARAM>(0xFFFF0000u));
    return true;
}

}  // namespace

bool IsPushButton(HWND control, bool requireDefault)
{
    if (!control)
        return false;
    const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_DEFPUSHBUTTON)
        return true;
    return !requireDefault && (code & DLGC_UNDEFPUSHBUTTON);
}

HWND FindDefaultButton(TWindow window)
{
    HWND focus = GetFocus();
    if (focus && IsChild(window.Hwnd, focus) && IsPushButton(focus, false))
        return focus;
    for (HWND child = GetWindow(window.Hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsPushButton(child, true))
            return child;
    }
    return nullptr;
}

bool PreTranslateShapeKey(const TShapeAccelerator* accelerators, int count, TWindow window, const MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return false;
    const WPARAM key = message.wParam;
    const BYTE held = HeldModifiers();
    const BYTE modifierBits = FALT | FCONTROL | FSHIFT;
    for (int i = 0; accelerators && i < count; ++i) {
        if (accelerators[i].Key == key && (accelerators[i].Flags & modifierBits) == held) {
            PostMessageW(window.Hwnd, WM_COMMAND, MAKEWPARAM(accelerators[i].Command, 1), 0);
            if (key == VK_F1) {
                // F1 taken as a command is not help for the focused control
                // as well: a system that queued that already loses it again.
                MSG pending;
                PeekMessageW(&pending, message.hwnd, KeyF1Message, KeyF1Message, PM_REMOVE);
            }
            return true;
        }
    }
    if (key == VK_RETURN && !(held & (FALT | FCONTROL)) && !IsEditableMultiLineEdit(GetFocus())) {
        HWND button = FindDefaultButton(window);
        if (button) {
            PostMessageW(window.Hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), 1),
                         reinterpret_cast<LPARAM>(button));
            return true;
        }
    }
    if (message.message == WM_SYSKEYDOWN && (held & FALT)) {
        if (key == VK_F5)
            return PostSystemCommand(SysCmdTopmost);
        if (key == VK_F3)
            return PostSystemCommand(SysCmdTranslucent);
    }
    return false;
}
