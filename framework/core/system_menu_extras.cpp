#include "framework/core/system_menu_extras.h"

#include <cstring>

#include "framework/core/flash_thread.h"
#include "framework/core/translucency.h"
#include "framework/core/window_position.h"
#include "framework/settings/interface_language.h"
#include "framework/util/wide_text.h"

const char PositionPopupText[] = "表示位置(&P)";
const char PositionPopupTextEnglish[] = "&Position";

namespace {

// Each text in Japanese and in English.
const char* const TopmostText[] = {"常に手前に表示(&T)\tAlt+F5", "Always on &Top\tAlt+F5"};
const char* const CentreText[] = {"画面中央に表示(&C)", "&Center of Screen"};
const char* const MouseText[] = {"マウスカーソルの位置へ表示(&M)", "At the &Mouse Pointer"};
const char* const KeepPlaceText[] = {"次回もこの位置で表示(&S)", "&Same Place Next Time"};
const char* const TranslucentText[] = {"半透明にする(&A)\tAlt+F3", "Tr&anslucent\tAlt+F3"};

const UINT PositionCommands[] = {SysCmdCentre, SysCmdMouse, SysCmdKeepPlace};

HMENU SystemMenuOf(TWindow window)
{
    return window.Hwnd && IsWindow(window.Hwnd) ? GetSystemMenu(window.Hwnd, FALSE) : nullptr;
}

int PositionOfCommand(HMENU menu, UINT command)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == command)
            return i;
    }
    return -1;
}

bool HasCommand(HMENU menu, UINT command)
{
    return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

// GetMenuState answers -1 for a missing item, which has every bit set.
bool IsChecked(HMENU menu, UINT command)
{
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

template <typename Change> void ForEachPositionCommand(TWindow window, Change change)
{
    HMENU popup = PositionPopup(window);
    for (UINT command : PositionCommands) {
        if (popup)
            change(popup, command);
    }
}

RECT ScreenRect()
{
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    return screen;
}

RECT RectOf(TWindow window, const RECT* rect)
{
    RECT result = {};
    if (rect)
        result = *rect;
    else
        GetWindowRect(window.Hwnd, &result);
    return result;
}

void MoveTo(TWindow window, const RECT& rect)
{
    MoveWindow(window.Hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

}  // namespace

bool AddSystemMenuExtras(TWindow window, bool closable)
{
    HMENU menu = SystemMenuOf(window);
    if (!menu)
        return false;
    // Each item goes in at the same position, so it lands above the ones
    // inserted before it.
    int at = PositionOfCommand(menu, SC_CLOSE);
    if (at < 0)
        at = GetMenuItemCount(menu);
    const UINT flags = MF_BYPOSITION | MF_STRING;
    InsertMenuW(menu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    if (IsLayeringAvailable())
        InsertMenuW(menu, at, flags, SysCmdTranslucent, TWideText(LocalText(TranslucentText)).Get());
    InsertMenuW(menu, at, flags, SysCmdTopmost, TWideText(LocalText(TopmostText)).Get());
    HMENU popup = CreatePopupMenu();
    if (popup) {
        InsertMenuW(popup, 0, flags, SysCmdKeepPlace, TWideText(LocalText(KeepPlaceText)).Get());
        InsertMenuW(popup, 0, flags, SysCmdMouse, TWideText(LocalText(MouseText)).Get());
        InsertMenuW(popup, 0, flags, SysCmdCentre, TWideText(LocalText(CentreText)).Get());
        // From here the system menu owns the popup.
        if (!InsertMenuW(menu, at, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                         TWideText(LocalText(PositionPopupText, PositionPopupTextEnglish)).Get()))
            DestroyMenu(popup);
    }
    EnablePositionCommands(window, false);
    if (!closable)
        EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
    return true;
}

int PositionPopupIndex(HMENU menu)
{
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        HMENU popup = GetSubMenu(menu, i);
        if (!popup)
            continue;
        wchar_t text[256] = L"";
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        // In either language: the language may have changed since it went in.
        if (lstrcmpW(TWideText(PositionPopupText).Get(), text) == 0 ||
            lstrcmpW(TWideText(PositionPopupTextEnglish).Get(), text) == 0)
            return i;
        // An item drawn by the framework's menus keeps no text in the menu:
        // the popup is then the one that holds the position commands.
        if (!text[0] && HasCommand(popup, SysCmdKeepPlace))
            return i;
    }
    return -1;
}

HMENU PositionPopup(TWindow window)
{
    HMENU menu = SystemMenuOf(window);
    const int at = PositionPopupIndex(menu);
    return at < 0 ? nullptr : GetSubMenu(menu, at);
}

void CheckPositionRule(TWindow window, UINT rule)
{
    ForEachPositionCommand(window, [rule](HMENU popup, UINT command) {
        CheckMenuItem(popup, command, MF_BYCOMMAND | (command == rule ? MF_CHECKED : MF_UNCHECKED));
    });
}

UINT CheckedPositionRule(TWindow window)
{
    HMENU popup = PositionPopup(window);
    if (popup) {
        if (IsChecked(popup, SysCmdCentre))
            return SysCmdCentre;
        if (IsChecked(popup, SysCmdMouse))
            return SysCmdMouse;
    }
    return SysCmdKeepPlace;
}

void EnablePositionCommands(TWindow window, bool enable)
{
    ForEachPositionCommand(window, [enable](HMENU popup, UINT command) {
        EnableMenuItem(popup, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    });
}

bool IsSystemCommandEnabled(TWindow window, UINT command)
{
    HMENU menu = SystemMenuOf(window);
    if (!menu)
        return false;
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

RECT CentreRect(TWindow window, const RECT* rect)
{
    const RECT result = CentredRect(RectOf(window, rect), ScreenRect());
    CheckPositionRule(window, SysCmdCentre);
    return result;
}

void CentreWindow(TWindow window)
{
    MoveTo(window, CentreRect(window, nullptr));
}

RECT MouseRect(TWindow window, const RECT* rect)
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    const RECT result = RectAroundCursor(RectOf(window, rect), cursor, ScreenRect());
    CheckPositionRule(window, SysCmdMouse);
    return result;
}

void MoveToMouse(TWindow window)
{
    MoveTo(window, MouseRect(window, nullptr));
}

void ToggleTopmost(TWindow window)
{
    const bool topmost = (GetWindowLongW(window.Hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost)
        Flash(window, 1, 300);
    else
        Flash(window, 2, 100);
    SetWindowPos(window.Hwnd, topmost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool RunSystemMenuExtra(TWindow window, UINT command)
{
    switch (command) {
    case SysCmdTopmost:
        ToggleTopmost(window);
        return true;
    case SysCmdCentre:
        CentreWindow(window);
        return true;
    case SysCmdMouse:
        MoveToMouse(window);
        return true;
    case SysCmdKeepPlace:
        CheckPositionRule(window, SysCmdKeepPlace);
        return true;
    case SysCmdTranslucent: {
        HMENU menu = SystemMenuOf(window);
        ApplyTranslucency(window, !(menu && IsChecked(menu, SysCmdTranslucent)));
        return true;
    }
    default:
        return false;
    }
}
