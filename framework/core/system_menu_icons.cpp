#include "framework/core/system_menu_icons.h"

#include <new>

#include "framework/core/menu_item.h"
#include "framework/core/owner_draw_menu.h"
#include "framework/core/system_menu_extras.h"
#include "framework/drawing/icon_caches.h"
#include "framework/util/resource_names.h"

const TSystemMenuIcon SystemMenuIcons[12] = {
    {SC_RESTORE, WINDOWRESTORE_ICON_NAME},
    {SC_MOVE, WINDOWMOVE_ICON_NAME},
    {SC_SIZE, WINDOWRESIZE_ICON_NAME},
    {SC_MINIMIZE, WINDOWICON_ICON_NAME},
    {SC_MAXIMIZE, WINDOWZOOM_ICON_NAME},
    {SysCmdTopmost, WINDOWTOPMOST_ICON_NAME},
    {0, WINDOWPOSITION_ICON_NAME},
    {SysCmdCentre, WINDOWCENTERPOS_ICON_NAME},
    {SysCmdMouse, WINDOWMOUSEPOS_ICON_NAME},
    {SysCmdKeepPlace, WINDOWSERIALPOS_ICON_NAME},
    {SysCmdTranslucent, WINDOWTRANSPARENT_ICON_NAME},
    {SC_CLOSE, WINDOWCLOSE_ICON_NAME},
};

namespace {

// Whether the menu itself, not one of its popups, holds the command.
bool HoldsCommand(HMENU menu, UINT command)
{
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == command)
            return true;
    }
    return false;
}

}  // namespace

void AddSystemMenuIcons(TOwnerDrawMenu* wrapper, HMENU systemMenu)
{
    if (!wrapper || !systemMenu)
        return;
    const int popupAt = PositionPopupIndex(systemMenu);
    HMENU popup = popupAt < 0 ? nullptr : GetSubMenu(systemMenu, popupAt);
    TOwnerDrawMenu* positions = nullptr;
    if (popup && HoldsCommand(systemMenu, SysCmdTopmost))
        positions = new (std::nothrow) TOwnerDrawMenu(popupAt, ResourceIcon(WINDOWPOSITION_ICON_NAME));
    // Without memory an item goes without its icon, drawn by the system.
    for (const TSystemMenuIcon& row : SystemMenuIcons) {
        if (!row.Command) {
            if (!wrapper->Add(positions))
                positions = nullptr;
        } else if (HoldsCommand(systemMenu, row.Command)) {
            wrapper->Add(new (std::nothrow) TMenuItem(row.Command, ResourceIcon(row.IconName)));
        } else if (positions && HoldsCommand(popup, row.Command)) {
            positions->Add(new (std::nothrow) TMenuItem(row.Command, ResourceIcon(row.IconName)));
        }
    }
}
