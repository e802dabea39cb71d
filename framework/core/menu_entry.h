// TMenuEntry: the base of every object that draws a menu item itself.
//
// An owner-drawn item carries its entry's address as item data, and
// WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR bring that address back. Every
// entry that exists is listed, so that item data put there by someone else
// (or left behind by an entry already deleted) is never taken for one.
#pragma once

#include <windows.h>

class TMenuGroup;
class TMenuItem;
class TOwnerDrawMenu;

class TMenuEntry {
public:
    // The measured size, reported for WM_MEASUREITEM.
    int Width = 0;
    int Height = 0;

    TMenuEntry();
    TMenuEntry(const TMenuEntry&) = delete;
    TMenuEntry& operator=(const TMenuEntry&) = delete;

    // Paints the entry for WM_DRAWITEM.
    virtual void Draw(const DRAWITEMSTRUCT& item) = 0;
    virtual ~TMenuEntry();
    // Turns the entry's item of `menu` into an owner-drawn item whose item
    // data is this entry, keeping its check mark and grey state.
    virtual void MakeOwnerDraw(HMENU menu) = 0;
    // The same, after copying the item's present text into the entry.
    virtual void CaptureAndMakeOwnerDraw(HMENU menu) = 0;
    // Turns the item back into a plain text item with the stored text.
    virtual void MakeNormal(HMENU menu) = 0;
    // Measures the entry in `dc` (the menu font selected) and returns its width.
    virtual int Measure(HDC dc) = 0;
    // Fixes the final width, given the widest entry of the menu.
    virtual void SetWidth(int width) = 0;
    // The entry of that command, or null.
    virtual TMenuEntry* FindById(UINT commandId) = 0;
    // The entry as an item, a group or a whole menu; null when it is not one.
    // Asked of the entry itself, so that the program carries no run-time type
    // search for three questions.
    virtual TMenuItem* AsItem() { return nullptr; }
    virtual const TMenuGroup* AsGroup() const { return nullptr; }
    virtual const TOwnerDrawMenu* AsOwnerDrawMenu() const { return nullptr; }

    // The entry whose address is `data`, or null when no entry lives there.
    static TMenuEntry* FromItemData(ULONG_PTR data);
    // The entry an owner-drawn item of `menu` carries, or null.
    static TMenuEntry* OwnerDrawnAt(HMENU menu, int position);
};
