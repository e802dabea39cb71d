#include "framework/core/translucency.h"

#include "framework/core/system_commands.h"
#include "framework/drawing/module_record.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/registry_values.h"
#include "framework/settings/settings_key.h"
#include "framework/util/directories.h"
#include "framework/util/text.h"

namespace {

using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

enum class TLookup { NotYet, Done };

TLookup lookup = TLookup::NotYet;
TSetLayeredWindowAttributes setLayered = nullptr;

// USER32 stays loaded for the whole run (the program imports it), so the
// address stays good even after the module registry has been released.
TSetLayeredWindowAttributes LayeredFunction()
{
    if (lookup == TLookup::NotYet) {
        lookup = TLookup::Done;
        TText directory;
        SystemDirectory(directory.Slot());
        TText path;
        StrConcat(path.Slot(), directory.Get(), "USER32.DLL");
        const TModuleRecord* record = LoadModule(path.Get(), ModuleAsLibrary);
        if (record && record->Handle) {
            setLayered = reinterpret_cast<TSetLayeredWindowAttributes>(
                reinterpret_cast<void*>(GetProcAddress(record->Handle, "SetLayeredWindowAttributes")));
        }
    }
    return setLayered;
}

void SetLayeredStyle(TWindow window, bool on)
{
    const LONG style = GetWindowLongW(window.Hwnd, GWL_EXSTYLE);
    SetWindowLongW(window.Hwnd, GWL_EXSTYLE, on ? style | WS_EX_LAYERED : style & ~WS_EX_LAYERED);
}

void CheckTranslucent(TWindow window, bool checked)
{
    HMENU menu = GetSystemMenu(window.Hwnd, FALSE);
    if (menu)
        CheckMenuItem(menu, SysCmdTranslucent, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

bool IsLayeringAvailable()
{
    return LayeredFunction() != nullptr;
}

void SetAlpha(TWindow window, BYTE alpha)
{
    TSetLayeredWindowAttributes function = LayeredFunction();
    if (!function)
        return;
    SetLayeredStyle(window, true);
    function(window.Hwnd, 0, alpha, LWA_ALPHA);
    CheckTranslucent(window, true);
}

void SetColorKey(TWindow window, COLORREF colour)
{
    TSetLayeredWindowAttributes function = LayeredFunction();
    if (!function)
        return;
    SetLayeredStyle(window, true);
    function(window.Hwnd, colour, 0, LWA_COLORKEY);
    CheckTranslucent(window, true);
}

void ApplyTranslucency(TWindow window, bool on)
{
    TSetLayeredWindowAttributes function = LayeredFunction();
    if (!function)
        return;
    if (!on) {
        function(window.Hwnd, 0, 255, LWA_ALPHA);
        SetLayeredStyle(window, false);
        CheckTranslucent(window, false);
        return;
    }
    TSettingsKey view(AppGlobals.LibraryKey, "View");
    const DWORD style = TRegDwordValue(&view.Chain(), "TransparentStyle").Get(2);
    if (style == 2) {
        const DWORD level = TRegDwordValue(&view.Chain(), "TransparentAlphaLevel").Get(180);
        SetAlpha(window, static_cast<BYTE>(level & 0xFF));
    } else {
        const DWORD colour = TRegDwordValue(&view.Chain(), "TransparentColor").Get(GetSysColor(COLOR_BTNFACE));
        SetColorKey(window, colour);
    }
}
