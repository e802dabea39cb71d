// The shape's menus: the system menu with its extras, drawn with icons, and
// the one-item context-help popup, and the routing of the owner-drawn menu
// messages.
#include <windows.h>

#include <new>

#include "framework/core/menu_item.h"
#include "framework/core/owner_draw_menu.h"
#include "framework/core/system_menu_icons.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/file_icon_source.h"
#include "framework/drawing/icon_caches.h"
#include "framework/settings/interface_language.h"
#include "framework/util/wide_text.h"

namespace {

const UINT kHelpPopupCommand = 9999;
const char kHelpItemText[] = "ヘルプ(&H)";
const char kHelpItemTextEnglish[] = "&Help";

}  // namespace

void TShape::AttachSystemMenu()
{
    DeleteSystemMenu();
    HMENU menu = GetSystemMenu(Hwnd, FALSE);
    if (!menu)
        return;
    SystemMenu = new (std::nothrow) TOwnerDrawMenu(menu);
    if (!SystemMenu)
        return;
    AddSystemMenuIcons(SystemMenu, menu);
    SystemMenu->Attach();
}

void TShape::DeleteSystemMenu()
{
    delete SystemMenu;
    SystemMenu = nullptr;
}

void TShape::CreateHelpMenu()
{
    DeleteHelpMenu();
    HelpPopup = CreatePopupMenu();
    if (!HelpPopup)
        return;
    AppendMenuW(HelpPopup, MF_STRING, kHelpPopupCommand,
                WideText(LocalText(kHelpItemText, kHelpItemTextEnglish)).c_str());
    HelpMenu = new (std::nothrow)
        TOwnerDrawMenu(HelpPopup, {new (std::nothrow) TMenuItem(kHelpPopupCommand, FileIcon("*.hlp", LogoFallback))});
    if (HelpMenu)
        HelpMenu->Attach();
}

void TShape::DeleteHelpMenu()
{
    delete HelpMenu;
    HelpMenu = nullptr;
    if (HelpPopup)
        DestroyMenu(HelpPopup);
    HelpPopup = nullptr;
}

bool TShape::OnMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_DRAWITEM:
        result = TOwnerDrawMenu::OnDrawItem(Hwnd, wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return true;
    case WM_MEASUREITEM:
        result = TOwnerDrawMenu::OnMeasureItem(Hwnd, wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return true;
    case WM_MENUCHAR:
        result = TOwnerDrawMenu::OnMenuChar(Hwnd, message, wParam, reinterpret_cast<HMENU>(lParam));
        return true;
    case WM_SETTINGCHANGE:
        // The menu font may have changed: the items are measured again.
        if (SystemMenu)
            SystemMenu->Refresh();
        if (HelpMenu)
            HelpMenu->Refresh();
        return true;
    default:
        return false;
    }
}
