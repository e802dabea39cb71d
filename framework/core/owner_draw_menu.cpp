#include "framework/core/owner_draw_menu.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/core/menu_metrics.h"
#include "framework/core/menu_separator.h"
#include "framework/core/window.h"
#include "framework/util/list.h"

TOwnerDrawMenu::TOwnerDrawMenu(HMENU menu, std::initializer_list<TMenuEntry*> entries)
    : TMenuGroup(TMenuPosition{-1}, nullptr), Menu(menu), AutoItems(new (std::nothrow) TMenuGroup)
{
    for (TMenuEntry* entry : entries)
        Add(entry);
}

TOwnerDrawMenu::TOwnerDrawMenu(int position, TIconSource* icon, std::initializer_list<TMenuEntry*> entries)
    : TMenuGroup(TMenuPosition{position}, icon), Menu(nullptr), AutoItems(new (std::nothrow) TMenuGroup)
{
    for (TMenuEntry* entry : entries)
        Add(entry);
}

namespace {

// The wrappers attached or refreshed and not measured since, each with its
// whole tree of entries; menus are used by the user-interface thread only.
// Constant-initialised, so that its making needs no lock either.
__constinit TList<TOwnerDrawMenu*> unmeasured;

bool GroupHolds(const TMenuGroup& group, const TMenuEntry* entry)
{
    for (auto* node = group.Entries.First(); node; node = node->next) {
        if (node->value == entry)
            return true;
        if (const TMenuGroup* inner = node->value->AsGroup())
            if (GroupHolds(*inner, entry))
                return true;
    }
    const TOwnerDrawMenu* wrapper = group.AsOwnerDrawMenu();
    return wrapper && wrapper->AutoItems && GroupHolds(*wrapper->AutoItems, entry);
}

}  // namespace

TOwnerDrawMenu::~TOwnerDrawMenu()
{
    if (!measured_)
        unmeasured.Delete(unmeasured.IndexOf(this));
    delete AutoItems;
}

bool TOwnerDrawMenu::Holds(const TMenuEntry* entry) const
{
    return GroupHolds(*this, entry);
}

HMENU TOwnerDrawMenu::Popup(HMENU parent) const
{
    if (Menu)
        return Menu;
    return parent ? GetSubMenu(parent, Position) : nullptr;
}

void TOwnerDrawMenu::AutomaticPass(HMENU menu)
{
    // Without memory for the group the other items stay as the system draws them.
    if (!AutoItems)
        return;
    // Entries of an earlier pass go back to plain items before they are
    // deleted: their items still carry them as item data.
    AutoItems->MakeNormal(menu);
    AutoItems->Clear();
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_OWNERDRAW) ||
            info.hSubMenu)
            continue;
        // Listed before its item carries it, so that an entry the group could
        // not keep is never left behind as an item's data.
        TMenuItem* entry = (info.fType & MFT_SEPARATOR) ? new (std::nothrow) TMenuSeparator(i)
                                                        : new (std::nothrow) TMenuItem(TMenuPosition{i});
        if (AutoItems->Add(entry))
            entry->CaptureAndMakeOwnerDraw(menu);
    }
}

void TOwnerDrawMenu::ConvertItems(HMENU menu, bool capture)
{
    // Only the entry's own item here: the popup's items are captured below,
    // before anything converts them.
    if (!Menu) {
        if (capture)
            CaptureText(menu);
        TMenuItem::MakeOwnerDraw(menu);
    }
    HMENU popup = Popup(menu);
    if (!popup)
        return;
    if (capture)
        TMenuGroup::CaptureAndMakeOwnerDraw(popup);
    else
        TMenuGroup::MakeOwnerDraw(popup);
    AutomaticPass(popup);
}

void TOwnerDrawMenu::MakeOwnerDraw(HMENU menu)
{
    ConvertItems(menu, false);
}

void TOwnerDrawMenu::CaptureAndMakeOwnerDraw(HMENU menu)
{
    ConvertItems(menu, true);
}

void TOwnerDrawMenu::MakeNormal(HMENU menu)
{
    if (HMENU popup = Popup(menu)) {
        TMenuGroup::MakeNormal(popup);
        if (AutoItems)
            AutoItems->MakeNormal(popup);
    }
    if (!Menu)
        TMenuItem::MakeNormal(menu);
}

int TOwnerDrawMenu::Measure(HDC dc)
{
    int widest = std::max(TMenuGroup::Measure(dc), AutoItems ? AutoItems->Measure(dc) : 0);
    // A submenu entry is an item of its parent as well.
    if (!Menu)
        widest = std::max(widest, TMenuItem::Measure(dc));
    return widest;
}

void TOwnerDrawMenu::SetWidth(int width)
{
    if (!Menu)
        TMenuItem::SetWidth(width);
    TMenuGroup::SetWidth(width);
    if (AutoItems)
        AutoItems->SetWidth(width);
}

void TOwnerDrawMenu::MeasuringPass()
{
    const TMenuMeasuringDc measuring;
    const int widest = Measure(measuring.Get());
    if (Menu)
        SetWidth(widest);
}

void TOwnerDrawMenu::EnsureMeasured()
{
    if (measured_)
        return;
    unmeasured.Delete(unmeasured.IndexOf(this));
    measured_ = true;
    MeasuringPass();
}

void TOwnerDrawMenu::MeasureAtFirstOpening()
{
    // Without memory to list the menu, it is measured now.
    if (measured_ && unmeasured.Add(this))
        measured_ = false;
    else if (measured_)
        MeasuringPass();
}

void TOwnerDrawMenu::Attach()
{
    CaptureAndMakeOwnerDraw(nullptr);
    MeasureAtFirstOpening();
}

void TOwnerDrawMenu::Refresh()
{
    // Every automatic pass turns its old entries back into plain items and
    // makes new ones from the menu's texts. Measuring comes last, so that the
    // new entries are measured in the new font and get the common width too.
    MakeOwnerDraw(nullptr);
    MeasureAtFirstOpening();
}

LRESULT TOwnerDrawMenu::OnMeasureItem(HWND window, WPARAM wParam, MEASUREITEMSTRUCT* item)
{
    if (TMenuEntry* entry = item ? TMenuEntry::FromItemData(item->itemData) : nullptr) {
        // The first item of a menu to be measured measures its whole menu.
        for (auto* node = unmeasured.First(); node; node = node->next) {
            if (node->value->Holds(entry)) {
                node->value->EnsureMeasured();
                break;
            }
        }
        item->itemWidth = static_cast<UINT>(std::max(entry->Width, 0));
        item->itemHeight = static_cast<UINT>(std::max(entry->Height, 0));
        return TRUE;
    }
    return DefaultWindowProc(window, WM_MEASUREITEM, wParam, reinterpret_cast<LPARAM>(item));
}

LRESULT TOwnerDrawMenu::OnDrawItem(HWND window, WPARAM wParam, DRAWITEMSTRUCT* item)
{
    if (TMenuEntry* entry = item ? TMenuEntry::FromItemData(item->itemData) : nullptr) {
        entry->Draw(*item);
        return TRUE;
    }
    return DefaultWindowProc(window, WM_DRAWITEM, wParam, reinterpret_cast<LPARAM>(item));
}

LRESULT TOwnerDrawMenu::OnMenuChar(HWND window, UINT message, WPARAM character, HMENU menu)
{
    const UINT typed = LOWORD(character);
    // A NUL would leave the bare '&', which every access key holds.
    if (typed && typed <= 0xFF) {
        const char key[3] = {'&', static_cast<char>(typed >= 'a' && typed <= 'z' ? typed - 'a' + 'A' : typed), 0};
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            // '&' is never the second byte of a double-byte character.
            TMenuEntry* entry = TMenuEntry::OwnerDrawnAt(menu, i);
            TMenuItem* item = entry ? entry->AsItem() : nullptr;
            if (item && std::strstr(item->Text.Get(), key))
                return MAKELRESULT(i, MNC_EXECUTE);
        }
    }
    return DefaultWindowProc(window, message, character, reinterpret_cast<LPARAM>(menu));
}
