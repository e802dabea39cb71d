#include "framework/core/menu_item.h"

#include <algorithm>
#include <cstring>

#include "framework/core/menu_metrics.h"
#include "framework/drawing/background.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/gdi_objects.h"
#include "framework/drawing/halo_text.h"
#include "framework/drawing/icon_caches.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/palette_device.h"
#include "framework/util/resource_names.h"
#include "framework/util/wide_text.h"

namespace {

// Lengths at 96 DPI, scaled for the display.
const int SmallIconBox = 19;
const int LargeIconBox = 35;
// A label this tall or taller gets the large icon box and large icons.
const int TallLabel = SmallIconBox + 8;
// Between the icon box and the label, and before the icon.
const int LabelGap = 2;
const int IconIndent = 1;

int TextWidth(HDC dc, const char* text, int& height)
{
    RECT extent = {0, 0, 0, 0};
    DrawTextW(dc, TWideText(text).Get(), -1, &extent, DT_CALCRECT);
    height = extent.bottom - extent.top;
    return extent.right - extent.left;
}

}  // namespace

TMenuItem::TMenuItem(UINT commandId, TIconSource* icon)
    : ByCommand(1), CommandId(commandId), Position(-1), Icon(icon)
{
}

TMenuItem::TMenuItem(TMenuPosition position, TIconSource* icon)
    : ByCommand(0), CommandId(0), Position(position.Position), Icon(icon)
{
}

TMenuItem::~TMenuItem() = default;

void TMenuItem::Convert(HMENU menu, bool ownerDraw)
{
    const UINT by = ByCommand ? MF_BYCOMMAND : MF_BYPOSITION;
    const UINT at = ByCommand ? CommandId : static_cast<UINT>(Position);
    const UINT state = menu ? GetMenuState(menu, at, by) : static_cast<UINT>(-1);
    if (state == static_cast<UINT>(-1))
        return;
    // An entry the list of live entries had no memory for would never be
    // found again from its item: the item stays a plain one.
    if (ownerDraw && !FromItemData(reinterpret_cast<ULONG_PTR>(static_cast<TMenuEntry*>(this))))
        ownerDraw = false;
    // A popup keeps its submenu handle; its state's high byte counts the
    // popup's items instead of holding flags.
    HMENU popup = ByCommand ? nullptr : GetSubMenu(menu, Position);
    const UINT type = popup ? MF_POPUP : state & (MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK);
    const UINT_PTR id = popup ? reinterpret_cast<UINT_PTR>(popup) : ByCommand ? CommandId : GetMenuItemID(menu, Position);
    // An owner-drawn item keeps no text in the menu (the entry holds it), so
    // that the system leaves access keys to WM_MENUCHAR instead of matching
    // the text in either case itself.
    const TWideText label(Text.Get());
    ModifyMenuW(menu, at, by | type, id, (type & MF_SEPARATOR) ? nullptr : ownerDraw ? L"" : label.Get());
    if (ownerDraw)
        ModifyMenuW(menu, at, by | type | MF_OWNERDRAW, id, reinterpret_cast<LPCWSTR>(this));
    const UINT grey = (popup ? state & 0xFF : state) & (MF_GRAYED | MF_DISABLED);
    EnableMenuItem(menu, at, by | (grey ? MF_GRAYED | MF_DISABLED : MF_ENABLED));
    CheckMenuItem(menu, at, by | (state & MF_CHECKED ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItem::MakeOwnerDraw(HMENU menu)
{
    Convert(menu, true);
}

void TMenuItem::CaptureText(HMENU menu)
{
    const UINT by = ByCommand ? MF_BYCOMMAND : MF_BYPOSITION;
    const UINT at = ByCommand ? CommandId : static_cast<UINT>(Position);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    // An item drawn already keeps no text in the menu: its stored text stays.
    if (menu && GetMenuItemInfoW(menu, at, !ByCommand, &info) && !(info.fType & MFT_OWNERDRAW)) {
        wchar_t wide[256] = L"";
        GetMenuStringW(menu, at, wide, 256, by);
        char text[256];
        CopyNarrowText(text, sizeof text, wide);
        Text.Set(text);
    }
}

void TMenuItem::CaptureAndMakeOwnerDraw(HMENU menu)
{
    CaptureText(menu);
    MakeOwnerDraw(menu);
}

void TMenuItem::MakeNormal(HMENU menu)
{
    Convert(menu, false);
}

int TMenuItem::Measure(HDC dc)
{
    IconBoxWidth = IconBoxHeight = ScaledLength(SmallIconBox);
    const char* text = Text.Get();
    // A TAB is never the second byte of a double-byte character.
    const char* tab = std::strchr(text, '\t');
    int height = 0;
    if (tab) {
        StrLeft(Label.Slot(), text, static_cast<int>(tab - text));
        AcceleratorText.Set(tab + 1);
        AcceleratorWidth = TextWidth(dc, AcceleratorText.Get(), height);
        HasAccelerator = 1;
    } else {
        Label.Set(text);
        AcceleratorText.Set("");
        AcceleratorWidth = 0;
        HasAccelerator = 0;
    }
    LabelWidth = TextWidth(dc, Label.Get(), LabelHeight);
    IconSize = LabelHeight >= ScaledLength(TallLabel) ? 1 : 0;
    if (IconSize)
        IconBoxWidth = IconBoxHeight = ScaledLength(LargeIconBox);
    // The system adds a check-mark column of its own to the width reported.
    Width = IconBoxWidth + LabelWidth + ScaledLength(LabelGap) - MenuSpacingUnit;
    LabelWidth -= MenuSpacingUnit;
    Height = std::max(IconBoxHeight, LabelHeight);
    Width = CapMenuWidth(Width);
    return Width;
}

void TMenuItem::SetWidth(int width)
{
    width = CapMenuWidth(width);
    if (HasAccelerator) {
        AcceleratorX = width + 3 * MenuSpacingUnit;
        if (AcceleratorWidensItem())
            Width = width + AcceleratorWidth + MenuSpacingUnit;
    }
    Width = CapMenuWidth(Width + Width / 20);
}

TMenuEntry* TMenuItem::FindById(UINT commandId)
{
    return ByCommand && CommandId == commandId ? this : nullptr;
}

void TMenuItem::PaintMenuFace(const DRAWITEMSTRUCT& item)
{
    const RECT& rect = item.rcItem;
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_MENU));
    // Without memory for the background the menu colour remains.
    TBackground* background = IsNonPaletteDevice(item.hDC) ? MenuBackground() : nullptr;
    if (!background)
        return;
    // The picture spans the whole menu window, so that the items' pieces of
    // it fit together whichever item is drawn again.
    RECT area = {0, 0, 0, 0};
    HWND window = WindowFromDC(item.hDC);
    if (!window || !GetClientRect(window, &area))
        GetClipBox(item.hDC, &area);
    background->PaintPart(item.hDC, 0, 0, area.right - area.left, area.bottom - area.top, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top);
}

void TMenuItem::DrawPart(HDC dc, int x, int y, const char* text, bool selected, bool grey) const
{
    if (!selected) {
        DrawHaloText(dc, x, y, !grey, text);
        return;
    }
    // With prefixes, as the unselected text, so that '&' marks the access key
    // instead of showing.
    const TWideText wide(text);
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(wide.Get()), 0, x, y, 0, 0,
               DST_PREFIXTEXT | (grey ? DSS_DISABLED : 0));
}

void TMenuItem::Draw(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool grey = (item.itemState & ODS_GRAYED) != 0;
    const bool checked = (item.itemState & ODS_CHECKED) != 0;
    TTextColours colours(dc);
    SetBkMode(dc, TRANSPARENT);
    if (selected) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(grey ? COLOR_BTNSHADOW : COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    } else {
        PaintMenuFace(item);
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        SetBkColor(dc, GetSysColor(COLOR_MENU));
    }

    const int height = rect.bottom - rect.top;
    // The system's small or large icons, which follow the display's scale as
    // the icon box does.
    const int size = IconSizeOfKind(IconSize ? IconSizeLarge : IconSizeSmall);
    const int x = rect.left + ScaledLength(IconIndent);
    const int y = rect.top + std::max(0, (height - size) / 2);
    if (checked) {
        RECT frame = {x - 1, y - 1, x + size + 1, y + size + 1};
        FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    }
    TIconSource* source = Icon ? Icon : checked ? ResourceIcon(CHECK_ICON_NAME) : nullptr;
    if (HICON icon = source ? source->GetIcon(IconSize, nullptr) : nullptr) {
        const UINT state = !grey ? 0 : selected ? DSS_MONO : DSS_DISABLED;
        DrawStateW(dc, GetSysColorBrush(COLOR_BTNSHADOW), nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, size,
                   size, DST_ICON | state);
    }

    const int textY = rect.top + (height - LabelHeight) / 2;
    DrawPart(dc, rect.left + IconBoxWidth + ScaledLength(LabelGap), textY, Label.Get(), selected, grey);
    if (HasAccelerator)
        DrawPart(dc, rect.left + AcceleratorX, textY, AcceleratorText.Get(), selected, grey);
}
