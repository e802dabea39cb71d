// TOwnerDrawMenu: a menu drawn by the framework, items with icons.
//
// The wrapper holds explicit entries (the items that show an icon, by command)
// and makes plain entries itself for every other item and separator of the menu
// (AutoItems). Popups are not converted automatically: a popup is given as a
// submenu entry, a TOwnerDrawMenu made with its position instead of a menu
// handle, drawn like an item in its parent and wrapping the popup behind it.
//
// Use:
//     auto* menu = new (std::nothrow) TOwnerDrawMenu(popup, {new (std::nothrow) TMenuItem(101, icon), ...});
//     if (menu)
//         menu->Attach();  // measured when first opened
// then route WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR of the owner window to
// OnMeasureItem, OnDrawItem and OnMenuChar, and call Refresh on
// WM_SETTINGCHANGE with SPI_SETNONCLIENTMETRICS. Delete the wrapper with the
// window; that deletes every entry.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "framework/core/menu_group.h"

class TOwnerDrawMenu : public TMenuGroup {
public:
    HMENU Menu;             // the wrapped menu; null for a submenu entry
    TMenuGroup* AutoItems;  // owned; entries made by the automatic pass (null without memory)

    // Wraps `menu` with the given entries, which it takes over. A null among
    // them is skipped, so a list closed with null reads the same.
    explicit TOwnerDrawMenu(HMENU menu, std::initializer_list<TMenuEntry*> entries = {});
    // A submenu entry for the popup at `position` of the parent menu.
    TOwnerDrawMenu(int position, TIconSource* icon, std::initializer_list<TMenuEntry*> entries = {});
    ~TOwnerDrawMenu() override;

    void MakeOwnerDraw(HMENU menu) override;
    const TOwnerDrawMenu* AsOwnerDrawMenu() const override { return this; }
    void CaptureAndMakeOwnerDraw(HMENU menu) override;
    void MakeNormal(HMENU menu) override;
    int Measure(HDC dc) override;
    void SetWidth(int width) override;

    // Converts the explicit entries with the menu's texts and makes and
    // converts the automatic ones. Everything is measured in the menu font
    // when the menu is first opened (its first WM_MEASUREITEM), so that a menu
    // that is never opened costs no font.
    void Attach();
    // After a change of the system's menu metrics: every item rebuilt from its
    // stored text, to be measured again at the next opening; check marks and
    // grey states stay.
    void Refresh();
    // Measures now what Attach or Refresh left to measure.
    void EnsureMeasured();

    // Handlers for the owner window. Items whose data is an entry are measured
    // and drawn by it; anything else goes to DefWindowProcA.
    static LRESULT OnMeasureItem(HWND window, WPARAM wParam, MEASUREITEMSTRUCT* item);
    static LRESULT OnDrawItem(HWND window, WPARAM wParam, DRAWITEMSTRUCT* item);
    // WM_MENUCHAR (`character` is the message's wParam): executes the first
    // owner-drawn item whose text holds '&' and the typed letter in upper case.
    static LRESULT OnMenuChar(HWND window, UINT message, WPARAM character, HMENU menu);

private:
    HMENU Popup(HMENU parent) const;
    void ConvertItems(HMENU menu, bool capture);
    void AutomaticPass(HMENU menu);
    void MeasuringPass();
    // Leaves the measuring pass to the first WM_MEASUREITEM of one of the
    // menu's items.
    void MeasureAtFirstOpening();
    // Whether the entry is one of this menu's, at any depth.
    bool Holds(const TMenuEntry* entry) const;

    bool measured_ = true;  // false from Attach or Refresh until measured
};
