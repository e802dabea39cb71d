#include "framework/core/menu_entry.h"

#include "framework/util/list.h"

namespace {

// Menus are used by the user-interface thread only, so the list needs no lock;
// constant-initialised, so that its making needs none either.
__constinit TList<TMenuEntry*> liveEntries;

}  // namespace

TMenuEntry::TMenuEntry()
{
    liveEntries.Add(this);
}

TMenuEntry::~TMenuEntry()
{
    liveEntries.Delete(liveEntries.IndexOf(this));
}

TMenuEntry* TMenuEntry::FromItemData(ULONG_PTR data)
{
    TMenuEntry* entry = reinterpret_cast<TMenuEntry*>(data);
    return data && liveEntries.Find(entry) ? entry : nullptr;
}

TMenuEntry* TMenuEntry::OwnerDrawnAt(HMENU menu, int position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!menu || !GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
        return nullptr;
    return FromItemData(info.dwItemData);
}
