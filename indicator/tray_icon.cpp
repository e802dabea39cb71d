// The tray icon of the monitor shape: one picture of the current icon set for
// the three lock states, kept in step with the hook library's record, and the
// menu behind it.
#include <windows.h>
#include <shellapi.h>

#include "framework/core/display_text.h"
#include "framework/core/menu_item.h"
#include "framework/dialogs/radio_element.h"
#include "framework/drawing/icon_source.h"
#include "framework/util/text.h"
#include "indicator/indicator_shape.h"
#include "indicator/lock_keys.h"
#include "indicator/menu_commands.h"

namespace {

// The first version of the record, which every shell understands, with its
// 64-byte tip.
const DWORD TrayRecordSize = NOTIFYICONDATAA_V1_SIZE;
const int TrayTipBytes = 64;
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "the tray record's first version is 88 bytes");

HWND FindTaskbar()
{
    return FindWindowA("Shell_TrayWnd", "");
}

UINT CheckFlag(BYTE on)
{
    return on ? MF_CHECKED : MF_UNCHECKED;
}

}  // namespace

int TIndicatorShape::GetStateIndex()
{
    GetIndicateData(&LockState);
    return 4 * LockState.numLock + 2 * LockState.capsLock + LockState.scrollLock;
}

void TIndicatorShape::UpdateTrayIcon(bool show, int index)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = TrayRecordSize;
    record.hWnd = Hwnd;
    record.uID = TRAY_ICON_ID;
    if (!show) {
        record.uFlags = 0;
        Shell_NotifyIconA(NIM_DELETE, &record);
        shownIndex_ = -1;
        RemovePropA(Hwnd, PROP_SHOWNSTATES);
        return;
    }
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAYNOTIFY;
    TText tip;
    DisplayText(tip.Slot(), "Pelorum");
    lstrcpynA(record.szTip, tip.Get(), TrayTipBytes);

    const bool add = index == -1;
    if (add) {
        TrayWindow = FindTaskbar();
        index = GetStateIndex();
    }
    TIconSource* source = index >= 0 && index < IconSetSize && CurrentIconSet ? CurrentIconSet[index] : nullptr;
    // At the system's small-icon size, which is the tray's: the picture drawn
    // for that size, not a smaller one enlarged.
    record.hIcon = source ? source->GetIcon(IconSizeSmall, nullptr) : nullptr;
    // A change fails when the shell holds no icon (the add at log-on found
    // the taskbar too busy, or something removed it): then it is added.
    if (!Shell_NotifyIconA(add ? NIM_ADD : NIM_MODIFY, &record) && !add)
        Shell_NotifyIconA(NIM_ADD, &record);
    // What the hooks compare the typing thread's states with.
    shownIndex_ = index;
    SetPropA(Hwnd, PROP_SHOWNSTATES, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(8 | (index & 7))));

    if (TrayMenu) {
        CheckMenuItem(TrayMenu, CM_NUMLOCK, MF_BYCOMMAND | CheckFlag(LockState.numLock));
        CheckMenuItem(TrayMenu, CM_CAPSLOCK, MF_BYCOMMAND | CheckFlag(LockState.capsLock));
        CheckMenuItem(TrayMenu, CM_SCROLLLOCK, MF_BYCOMMAND | CheckFlag(LockState.scrollLock));
    }
}

void TIndicatorShape::ApplyIconSet()
{
    CurrentIconSet = IconSetChoice && IconSetChoice->Value != 0 ? IconSetB : IconSetA;
    UpdateTrayIcon(true, GetStateIndex());
    TMenuItem* const items[] = {NumLockItem, CapsLockItem, ScrollLockItem};
    const int pictures[] = {4, 2, 1};  // each lock on alone
    for (int i = 0; i < 3; ++i)
        if (items[i])
            items[i]->Icon = CurrentIconSet[pictures[i]];
}

void TIndicatorShape::OnLockKeyChanged()
{
    HWND taskbar = FindTaskbar();
    if (taskbar != TrayWindow) {
        if (taskbar)
            UpdateTrayIcon(true, -1);
        else
            TrayWindow = nullptr;
    }
    UpdateTrayIcon(true, GetStateIndex());
}

void TIndicatorShape::RecordSystemLockStates()
{
    // GetKeyState of this thread, read between the messages it handles, not
    // amid a key message of its own: the toggles as the system holds them.
    const int keys[] = {VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};
    const char* const properties[] = {PROP_NUMLOCK, PROP_CAPSLOCK, PROP_SCROLLLOCK};
    for (int i = 0; i < 3; ++i)
        SetPropA(Hwnd, properties[i], reinterpret_cast<HANDLE>(static_cast<INT_PTR>(GetKeyState(keys[i]) & 1)));
}

void TIndicatorShape::ResyncLockStates()
{
    RecordSystemLockStates();
    const int index = GetStateIndex();
    if (index != shownIndex_)
        UpdateTrayIcon(true, index);
}

void TIndicatorShape::OnTrayNotify(UINT mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        // The menu closes when the user clicks elsewhere only if its owner is
        // the foreground window, and goes away properly on a second opening
        // only once the owner has handled one more message.
        SetForegroundWindow(Hwnd);
        PrepareTrayMenu();
        POINT cursor = {};
        GetCursorPos(&cursor);
        TrackPopupMenu(TrayMenu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Hwnd, nullptr);
        PostMessageA(Hwnd, WM_NULL, 0, 0);
        break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        OpenKeyboardControlPanel();
        break;
    }
}
