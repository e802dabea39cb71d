// The shape's message handler, shared by its window procedure and its dialog
// procedure, the default command and system-command handling, and the
// keyboard handling of the modeless shapes in every message loop.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "framework/core/resource_text.h"
#include "framework/core/system_menu_extras.h"
#include "framework/dialogs/button_painter.h"
#include "framework/dialogs/help_request.h"
#include "framework/dialogs/shape.h"
#include "framework/dialogs/shape_list.h"
#include "framework/drawing/background.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/gdi_objects.h"
#include "framework/drawing/icon_caches.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/palette_device.h"
#include "framework/settings/app_globals.h"
#include "framework/util/wide_text.h"

namespace {

const UINT kHelpPopupCommand = 9999;
const UINT kSbtOwnerDrawNoBorders = SBT_OWNERDRAW | SBT_NOBORDERS;  // 0x1100

bool IsDropDownListVisible()
{
    HWND list = nullptr;
    while ((list = FindWindowExW(nullptr, list, L"FloatComboListClass", L"DropDownList")) != nullptr)
        if (IsWindowVisible(list))
            return true;
    return false;
}

// The context-help topic of the item WM_HELP names: -1 for none.
DWORD HelpTopic(DWORD contextId)
{
    return contextId ? contextId : static_cast<DWORD>(-1);
}

// Where a context menu for `window` opens. One asked for from the keyboard
// (Shift+F10, the menu key) comes without a point, as (-1, -1): it opens at
// the middle of the control, as the system's own controls place theirs.
POINT ContextMenuPoint(HWND window, LPARAM lParam)
{
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT rect;
    if (at.x == -1 && at.y == -1 && GetWindowRect(window, &rect))
        at = {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
    return at;
}

}  // namespace

bool TShape::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_DESTROY:
        DeleteSystemMenu();
        return false;
    case WM_NCDESTROY:
        RemovePropW(Hwnd, WideShapePropertyName);
        if (hostedInDialog_) {
            // The icons PreDlgProc loaded belong to the shape.
            for (WPARAM kind : {ICON_SMALL, ICON_BIG})
                SendMessageW(Hwnd, WM_SETICON, kind, 0);
            ReleaseDialogIcons();
            // No loop of the shape's own ends here: the dialog's end cleans up.
            Hwnd = nullptr;
            hostedInDialog_ = false;
            CleanupShape();
        }
        return false;
    case WM_SIZE:
        if (StatusBar) {
            RECT bar;
            GetClientRect(StatusBar, &bar);
            HDWP defer = BeginDeferWindowPos(1);
            if (defer)
                defer = DeferWindowPos(defer, StatusBar, nullptr, 0, HIWORD(lParam) - bar.bottom, LOWORD(lParam),
                                       bar.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
            if (defer)
                EndDeferWindowPos(defer);
        }
        return true;
    case WM_SETFOCUS:
        FocusFirstTabStop();
        return false;
    case WM_PAINT:
        PaintShape();
        return true;
    case WM_CLOSE:
        if (!CanClose())
            return true;
        StopSounds();
        OnClosing();
        ReactivateOwner();
        return false;
    case WM_SHOWWINDOW:
        TellShowListeners(wParam != 0);
        return true;
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETNONCLIENTMETRICS)
            return false;
        if (!AppGlobals.MainShape || AppGlobals.MainShape == this)
            ReapplyBackgroundDefaults();
        OnMenuMessage(message, wParam, lParam, result);
        // Posted without the section name: the text lParam points to would
        // be gone by the time the children read it.
        PostToMatching(*this, nullptr, nullptr, WM_SETTINGCHANGE, wParam, 0);
        result = 0;
        return true;
    case WM_ACTIVATEAPP:
        PostToMatching(*this, "FloatComboListClass", "", WM_SHOWWINDOW, wParam, 0);
        PostToMatching(*this, ShapeClassName, nullptr, WM_ACTIVATEAPP, wParam, lParam);
        return false;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        // The status bar and the shape's owner-drawn push buttons are drawn
        // here, every other item by the menus.
        if (item &&
            ((StatusBar && item->hwndItem == StatusBar && DrawStatusLine(*item)) || DrawTransparentItem(*item))) {
            result = TRUE;
            return true;
        }
        return OnMenuMessage(message, wParam, lParam, result);
    }
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_BUTTON) {
            MeasureTransparentItem(GetDlgItem(Hwnd, static_cast<int>(item->CtlID)), *item);
            result = TRUE;
            return true;
        }
        return OnMenuMessage(message, wParam, lParam, result);
    }
    case WM_MENUCHAR:
        return OnMenuMessage(message, wParam, lParam, result);
    case WM_NOTIFY:
        if (!OnNotify(wParam, lParam))
            return false;
        result = 1;
        return true;
    case WM_HELP: {
        const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
        MessageBeep(MB_ICONASTERISK);
        if (info) {
            DWORD ids[4] = {static_cast<DWORD>(info->iCtrlId), HelpTopic(info->dwContextId), 0, 0};
            RequestHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(ids),
                        static_cast<int>(info->dwContextId));
        }
        return true;
    }
    case WM_CONTEXTMENU: {
        CloseDropDownLists();
        HWND window = reinterpret_cast<HWND>(wParam);
        const POINT at = ContextMenuPoint(window, lParam);
        if (!Root.OnContextMenu(*this, window, at.x, at.y) && ContextHelp) {
            HelpTarget = window;
            if (HelpPopup && GetWindowContextHelpId(window))
                TrackPopupMenu(HelpPopup, TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd, nullptr);
        }
        return true;
    }
    case WM_NCHITTEST:
        if (GetKeyState(VK_RBUTTON) & 0x8000)
            return false;
        // Any empty spot of the client area drags the shape.
        result = DefaultProc(message, wParam, lParam);
        if (result == HTCLIENT)
            result = HTCAPTION;
        return true;
    case WM_NCACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        CloseDropDownLists();
        return false;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL && IsDropDownListVisible()) {
            // Escape closes the floating list, not the shape.
            CloseDropDownLists();
            result = -1;
            return true;
        }
        if (id == static_cast<int>(kHelpPopupCommand)) {
            MessageBeep(MB_ICONASTERISK);
            const DWORD topic = GetWindowContextHelpId(HelpTarget);
            RequestHelp(Hwnd, HELP_CONTEXTPOPUP, topic, static_cast<int>(topic));
            result = -1;
            return true;
        }
        result = OnCommand(id, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return true;
    }
    case WM_SYSCOMMAND:
        result = OnSysCommand(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_HSCROLL:
        if (!Root.OnScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam)))
            return false;
        return true;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            return false;
        CheckMenuItem(reinterpret_cast<HMENU>(wParam), SysCmdTopmost,
                      MF_BYCOMMAND | ((GetWindowLongW(Hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? MF_CHECKED : MF_UNCHECKED));
        return true;
    case WM_MENUSELECT:
        UpdateStatusLine(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return false;
    case WM_CTLCOLORLISTBOX: {
        HWND list = reinterpret_cast<HWND>(lParam);
        if (!list || IsWindowEnabled(list))
            return false;
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    case WM_ENTERSIZEMOVE:
        BeginSnap(Snap, *this);
        return true;
    case WM_SIZING:
    case WM_MOVING:
        if (lParam)
            SnapRect(Snap, message == WM_MOVING ? 0 : static_cast<int>(wParam), *reinterpret_cast<RECT*>(lParam));
        return true;
    case WM_EXITSIZEMOVE:
        if (EndSnap(Snap, *this) && SettingsName.Length() > 0)
            SavePlacement();
        return true;
    case WM_QUERYNEWPALETTE: {
        if (!Palette)
            return false;
        HDC dc = GetDC(Hwnd);
        HPALETTE old = SelectPalette(dc, Palette, TRUE);
        if (RealizePalette(dc) > 0)
            RedrawWindow(Hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        SelectPalette(dc, old, TRUE);
        ReleaseDC(Hwnd, dc);
        result = 1;
        return true;
    }
    case WM_PALETTECHANGED:
        if (Palette && reinterpret_cast<HWND>(wParam) != Hwnd) {
            HDC dc = GetDC(Hwnd);
            HPALETTE old = SelectPalette(dc, Palette, TRUE);
            RealizePalette(dc);
            UpdateColors(dc);
            SelectPalette(dc, old, TRUE);
            ReleaseDC(Hwnd, dc);
        }
        return false;
    default:
        return false;
    }
}

void TShape::PaintShape()
{
    TPaintDc paint(Hwnd);
    RECT area;
    GetClientRect(Hwnd, &area);
    area.bottom -= StatusBarHeight();
    // Without memory for the background the class brush's face remains.
    TBackground* background = IsNonPaletteDevice(paint.Get()) ? DialogBackground() : nullptr;
    if (background) {
        // The status bar is no part of the picture: painting over it would
        // leave it overdrawn, as the shape does not clip its children.
        HRGN clip = CreateRectRgnIndirect(&area);
        SelectClipRgn(paint.Get(), clip);
        background->Paint(paint.Get(), 0, 0, area.right, area.bottom);
        SelectClipRgn(paint.Get(), nullptr);
        DeleteObject(clip);
    }
    Root.Paint(*this, paint.Get());
}

int TShape::OnCommand(int id, HWND control, int code)
{
    // Escape in a shape without a cancel button, as IsDialogMessageW delivers it.
    if (id == IDCANCEL && !control) {
        PostMessageW(Hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    return Root.OnCommand(id, control, code) ? 0 : -1;
}

LRESULT TShape::OnSysCommand(UINT command, int x, int y)
{
    const LPARAM position = MAKELPARAM(x, y);
    if ((command & 0xFFF0) == SC_CLOSE) {
        HWND cancel = GetDlgItem(Hwnd, IDCANCEL);
        OnCommand(IDCANCEL, cancel ? cancel : Hwnd, 0);
        if (!Closable)
            return -1;
        return DefaultProc(WM_SYSCOMMAND, command, position);
    }
    switch (command) {
    case SysCmdTopmost:
    case SysCmdCentre:
    case SysCmdMouse:
    case SysCmdKeepPlace:
        RunSystemMenuExtra(*this, command);
        SavePlacement();
        return 0;
    case SysCmdTranslucent:
        RunSystemMenuExtra(*this, command);
        SavePlacement();
        return DefaultProc(WM_SYSCOMMAND, command, position);
    default:
        return DefaultProc(WM_SYSCOMMAND, command, position);
    }
}

void TShape::UpdateStatusLine(UINT item, UINT flags, HMENU menu)
{
    if (!StatusBar)
        return;
    const bool closing = flags == 0xFFFF && !menu;
    if (closing || (flags & MF_POPUP)) {
        int parts[1] = {GetSystemMetrics(SM_CXSCREEN)};
        SendMessageW(StatusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
        SendMessageW(StatusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
        return;
    }
    RECT bar;
    GetClientRect(StatusBar, &bar);
    int parts[1] = {bar.right};
    SendMessageW(StatusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    LoadResourceText(StatusLine.StatusText.Slot(), item);
    StatusLine.StatusIcon = StatusLine.StatusText.Length() > 0 ? SystemIcon(32516) : nullptr;
    StatusLine.StatusItemEnabled = !(flags & (MF_GRAYED | MF_DISABLED));
    SendMessageW(StatusBar, SB_SETTEXTW, kSbtOwnerDrawNoBorders, reinterpret_cast<LPARAM>(&StatusLine));
}

bool TShape::DrawStatusLine(const DRAWITEMSTRUCT& item)
{
    if (item.itemData != reinterpret_cast<ULONG_PTR>(&StatusLine))
        return false;
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    int x = rect.left + ScaledLength(2);
    if (StatusLine.StatusIcon) {
        const int side = IconSizeOfKind(IconSizeSmall);
        if (HICON icon = StatusLine.StatusIcon->GetIcon(IconSizeSmall, nullptr)) {
            const int top = rect.top + ((rect.bottom - rect.top) - side) / 2;
            DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, top, side, side,
                       DST_ICON | (StatusLine.StatusItemEnabled ? 0 : DSS_DISABLED));
        }
        x += side + ScaledLength(4);
    }
    TTextColours colours(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(StatusLine.StatusItemEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    TSelection font(dc, Font);
    RECT text = {x, rect.top, rect.right, rect.bottom};
    DrawTextW(dc, WideText(StatusLine.StatusText.Get()).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    return true;
}

void TShape::ShowHelpTopic(HWND window, int helpId)
{
    MessageBeep(MB_ICONASTERISK);
    RequestHelp(window, HELP_CONTEXT, static_cast<ULONG_PTR>(static_cast<unsigned>(helpId)), helpId);
}

bool TShape::TranslateShapeMessage(MSG& message)
{
    std::vector<TShape*>& modelessShapes = ModelessShapes();
    for (size_t i = 0; i < modelessShapes.size();) {
        TShape* shape = modelessShapes[i];
        if (!shape->Hwnd || !IsWindow(shape->Hwnd)) {
            // Off the list before the elements hear of it, so the walk stays valid.
            modelessShapes.erase(modelessShapes.begin() + static_cast<std::ptrdiff_t>(i));
            shape->Hwnd = nullptr;
            shape->CleanupShape();
            continue;
        }
        if (GetActiveWindow() == shape->Hwnd &&
            (PreTranslateShapeKey(shape->Accelerators.data(), static_cast<int>(shape->Accelerators.size()), *shape,
                                  message) ||
             IsDialogMessageW(shape->Hwnd, &message) || shape->PreTranslate(message)))
            return true;
        ++i;
    }
    return false;
}

void CloseDropDownLists()
{
    TWindow::PostToMatching(NoWindow, "FloatComboListClass", "DropDownList", WM_KILLFOCUS, 0, 0);
}
