// TMenuItem: one owner-drawn menu item with an icon beside its text.
//
// The item is found in its menu by command identifier or by position. Its text
// is split at the first TAB into the label and the accelerator; the label goes
// beside a 19-pixel icon box (35 pixels for labels taller than the box; both at
// 96 DPI, scaled for the display), the accelerator into a column that starts
// at the same x in every item of the menu.
#pragma once

#include <windows.h>

#include "framework/core/menu_entry.h"
#include "framework/util/text.h"

class TIconSource;

// Names an item by its zero-based position: TMenuItem(TMenuPosition{2}, icon).
struct TMenuPosition {
    int Position;
};

class TMenuItem : public TMenuEntry {
public:
    BYTE ByCommand;        // 1: found by CommandId; 0: by Position
    UINT CommandId;
    int Position;
    int IconSize = 0;      // 0: small icons (16 x 16 at 96 DPI); 1: large ones for a tall label
    TIconSource* Icon;     // shared source, or null for an item without icon
    TText Text;            // the full menu text, accelerator included
    TText Label;           // the part before the first TAB
    int IconBoxWidth = 19;   // as measured, scaled for the display
    int IconBoxHeight = 19;
    int LabelWidth = 0;
    int LabelHeight = 0;
    BYTE HasAccelerator = 0;  // 1 when the text holds a TAB
    int AcceleratorX = 0;     // the accelerator column's offset from the item's left edge
    TText AcceleratorText;    // the part after the first TAB
    int AcceleratorWidth = 0;

    // By command identifier, or by position; the texts start empty and are
    // captured from the menu (or set by the caller) before measuring.
    explicit TMenuItem(UINT commandId, TIconSource* icon = nullptr);
    explicit TMenuItem(TMenuPosition position, TIconSource* icon = nullptr);

    void Draw(const DRAWITEMSTRUCT& item) override;
    ~TMenuItem() override;
    void MakeOwnerDraw(HMENU menu) override;
    void CaptureAndMakeOwnerDraw(HMENU menu) override;
    void MakeNormal(HMENU menu) override;
    int Measure(HDC dc) override;
    void SetWidth(int width) override;
    TMenuEntry* FindById(UINT commandId) override;
    TMenuItem* AsItem() override { return this; }

protected:
    // The menu colour over the item's rectangle and, on a display without a
    // palette, the menu background picture.
    static void PaintMenuFace(const DRAWITEMSTRUCT& item);
    // Copies the item's present text from the menu into Text.
    void CaptureText(HMENU menu);

private:
    void Convert(HMENU menu, bool ownerDraw);
    void DrawPart(HDC dc, int x, int y, const char* text, bool selected, bool grey) const;
};
