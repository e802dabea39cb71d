#include "framework/dialogs/button_painter.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "framework/core/window.h"
#include "framework/dialogs/control_text.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/drawing/background.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/gdi_objects.h"
#include "framework/drawing/halo_text.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/palette_device.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

enum TButtonKind { GroupBox, PushButton, RadioButton, CheckBox };

// Lengths at 96 DPI, scaled for the display. The lines of frames and edges
// stay one pixel wide (two for an etched line), as the system's own are.
const int kCheckSide = 13;
const int kCheckTextX = 18;   // where a check box's or radio button's text starts
const int kCaptionX = 9;      // where a group box's caption starts
const int kCaptionTop = 6;    // the group box's frame below the caption's top
const int kIconBeforeText = 10;
const int kTextAfterIcon = 8;

TButtonKind KindOf(LONG style)
{
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return GroupBox;
    case BS_RADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON:
        return RadioButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_PUSHBOX:
        return CheckBox;
    default:
        return PushButton;
    }
}

// The size of the text as shown: "&x" shows as "x" and "&&" as "&".
SIZE ShownExtent(HDC dc, const char* text)
{
    std::string shown;
    const int length = static_cast<int>(std::strlen(text));
    for (int i = 0; i < length;) {
        if (text[i] == '&') {
            ++i;
            if (i >= length)
                break;
        }
        const int step = CharLength(length - i, text + i);
        shown.append(text + i, step);
        i += step;
    }
    SIZE extent = {0, 0};
    const std::wstring wide = WideText(shown.c_str());
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return extent;
}

bool SiblingPushLikeHasFocus(HWND control)
{
    HWND focus = GetFocus();
    return focus && focus != control && GetParent(focus) == GetParent(control) && IsPushLike(focus, false);
}

// The dialog background under the button, placed as it lies in the parent's
// client area without its status bar.
void PaintBackgroundUnder(HWND control, HDC dc, const RECT& target)
{
    HWND parent = GetParent(control);
    TBackground* background = DialogBackground();
    if (!parent || !background) {
        FillRect(dc, &target, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    RECT area;
    GetClientRect(parent, &area);
    HWND status = FindWindowExW(parent, nullptr, STATUSCLASSNAMEW, nullptr);
    RECT bar;
    if (status && IsWindowVisible(status) && GetWindowRect(status, &bar))
        area.bottom -= bar.bottom - bar.top;
    POINT origin = {0, 0};
    MapWindowPoints(control, parent, &origin, 1);
    background->PaintPart(dc, -origin.x, -origin.y, area.right, area.bottom, target.left, target.top,
                          target.right - target.left, target.bottom - target.top);
}

}  // namespace

void DrawTransparentButton(HWND control, HDC dc, bool enabled, bool checked, bool focused, bool pressed,
                           bool suppressDefaultFrame)
{
    RECT client;
    GetClientRect(control, &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    TSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TTextColours restore(dc);
    SetBkMode(dc, TRANSPARENT);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const TText text = ControlText(control);
    const SIZE extent = ShownExtent(dc, text.Get());
    const int tw = extent.cx, th = extent.cy;
    const int one = ScaledLength(1);
    int x = one, y = (height - th) / 2;
    RECT box = client;
    bool frameControl = true;
    UINT state = DFCS_BUTTONCHECK | (enabled ? 0 : DFCS_INACTIVE) | (checked ? DFCS_CHECKED : 0) |
                 (pressed ? DFCS_PUSHED : 0);

    const TButtonKind kind = KindOf(style);
    if (kind == GroupBox) {
        x = ScaledLength(kCaptionX);
        y = 0;
        box.top += ScaledLength(kCaptionTop);
        frameControl = false;
        DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
        // The caption interrupts the frame line for exactly its own width.
        RECT gap = {box.left + x, box.top, box.left + x + tw, box.top + 2};
        FillRect(dc, &gap, GetSysColorBrush(COLOR_BTNFACE));
    } else if (kind == PushButton) {
        x = (width - tw) / 2;
        frameControl = false;
        if (!focused && IsNonPaletteDevice(dc))
            PaintBackgroundUnder(control, dc, client);
        else
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        if (pressed) {
            x += one;
            y += one;
            DrawEdge(dc, &box, BDR_RAISEDOUTER, BF_RECT | BF_MONO);
            InflateRect(&box, -1, -1);
            DrawEdge(dc, &box, BDR_RAISEDOUTER, BF_RECT | BF_FLAT);
        } else {
            if (focused ||
                (!SiblingPushLikeHasFocus(control) && IsPushLike(control, true) && !suppressDefaultFrame)) {
                FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                InflateRect(&box, -1, -1);
            }
            DrawEdge(dc, &box, BDR_RAISEDOUTER, BF_RECT);
            --box.right;
            --box.bottom;
            DrawEdge(dc, &box, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
            DrawEdge(dc, &box, BDR_RAISEDINNER, BF_TOPLEFT);
        }
    } else {
        if (kind == RadioButton)
            state |= DFCS_BUTTONRADIO;
        const int side = ScaledLength(kCheckSide);
        x = ScaledLength(kCheckTextX);
        y -= one;
        box.top = client.top + (height - side) / 2;
        box.bottom = box.top + side;
        box.right = client.left + side;
    }

    if (HICON icon = TWindow(control).GetIcon(true)) {
        const int side = IconSizeOfKind(IconSizeSmall);
        DrawStateW(dc, GetSysColorBrush(COLOR_BTNSHADOW), nullptr, reinterpret_cast<LPARAM>(icon), 0,
                   client.left + x - ScaledLength(kIconBeforeText), client.top + y + (th - side) / 2, side, side,
                   DST_ICON | (enabled ? 0 : DSS_DISABLED));
        x += ScaledLength(kTextAfterIcon);
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawHaloText(dc, client.left + x, client.top + y, enabled, text.Get());
    if (frameControl)
        DrawFrameControl(dc, &box, DFC_BUTTON, state);
    if (focused) {
        RECT focus = {x - one, y - one, x + tw + one, y + th + ScaledLength(2)};
        DrawFocusRect(dc, &focus);
    }
}

bool DrawTransparentItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_BUTTON)
        return false;
    DrawTransparentButton(item.hwndItem, item.hDC, IsWindowEnabled(item.hwndItem) != FALSE,
                          (item.itemState & ODS_CHECKED) != 0, (item.itemState & ODS_FOCUS) != 0,
                          (item.itemState & ODS_SELECTED) != 0, false);
    return true;
}

void MeasureTransparentItem(HWND control, MEASUREITEMSTRUCT& item)
{
    RECT window = {0, 0, 0, 0};
    GetWindowRect(control, &window);
    item.itemWidth = static_cast<UINT>(window.right - window.left);
    item.itemHeight = static_cast<UINT>(window.bottom - window.top);
}
