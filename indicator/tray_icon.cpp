// The tray icon of the monitor shape: one picture of the current icon set for
// the three lock states, kept in step with the hook library's record, with a
// tip that names them, the balloon that introduces it, and the menu behind it.
#include <windows.h>
#include <shellapi.h>

#include "framework/core/display_text.h"
#include "framework/core/menu_item.h"
#include "framework/dialogs/radio_element.h"
#include "framework/drawing/icon_source.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/registry_values.h"
#include "framework/settings/settings_key.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"
#include "indicator/indicator_shape.h"
#include "indicator/interface_texts.h"
#include "indicator/lock_keys.h"
#include "indicator/menu_commands.h"
#include "indicator/startup_registration.h"

namespace {

// The record's second version, with the 128-character tip and the balloon.
// Without NIM_SETVERSION the shell reports the mouse as it does to the first.
const DWORD TrayRecordSize = NOTIFYICONDATAW_V2_SIZE;
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAW_V2_SIZE == 936, "the tray record's second version is 936 bytes");

// Under the program's key: 1 once the balloon that shows where the icon is
// has been shown.
const char IntroducedValue[] = "TrayIconIntroduced";
const UINT BalloonMs = 15000;  // what systems before Windows Vista keep it up

NOTIFYICONDATAW TrayRecord(HWND window)
{
    NOTIFYICONDATAW record = {};
    record.cbSize = TrayRecordSize;
    record.hWnd = window;
    record.uID = TRAY_ICON_ID;
    return record;
}

// A text into one of the record's fixed fields, cut to fit.
template <size_t Size>
void CopyToField(wchar_t (&field)[Size], const char* text)
{
    lstrcpynW(field, WideText(text).c_str(), static_cast<int>(Size));
}

HWND FindTaskbar()
{
    return FindWindowW(L"Shell_TrayWnd", L"");
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
    NOTIFYICONDATAW record = TrayRecord(Hwnd);
    if (!show) {
        record.uFlags = 0;
        Shell_NotifyIconW(NIM_DELETE, &record);
        shownIndex_ = -1;
        RemovePropW(Hwnd, L"" PROP_SHOWNSTATES);
        return;
    }
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAYNOTIFY;

    const bool add = index == -1;
    if (add) {
        TrayWindow = FindTaskbar();
        index = GetStateIndex();
    }
    // The tip names the states the picture shows.
    TText tip;
    LockStatesTip(tip, index);
    CopyToField(record.szTip, tip.Get());
    TIconSource* source = index >= 0 && index < IconSetSize && CurrentIconSet ? CurrentIconSet[index] : nullptr;
    // At the system's small-icon size, which is the tray's: the picture drawn
    // for that size, not a smaller one enlarged.
    record.hIcon = source ? source->GetIcon(IconSizeSmall, nullptr) : nullptr;
    // A change fails when the shell holds no icon (the add at log-on found
    // the taskbar too busy, or something removed it): then it is added.
    if (!Shell_NotifyIconW(add ? NIM_ADD : NIM_MODIFY, &record) && !add)
        Shell_NotifyIconW(NIM_ADD, &record);
    // What the hooks compare the typing thread's states with.
    shownIndex_ = index;
    SetPropW(Hwnd, L"" PROP_SHOWNSTATES, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(8 | (index & 7))));

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

void TIndicatorShape::IntroduceTrayIcon()
{
    if (!StartedByHand())
        return;
    TSettingsKey appKey(AppGlobals.AppKey, nullptr);
    TRegDwordValue introduced(&appKey.Chain(), IntroducedValue);
    if (introduced.Get(0) != 0)
        return;
    NOTIFYICONDATAW record = TrayRecord(Hwnd);
    record.uFlags = NIF_INFO;
    TText title, text;
    ShownText(title, TextBalloonTitle);
    ShownText(text, TextBalloonText);
    CopyToField(record.szInfoTitle, title.Get());
    CopyToField(record.szInfo, text.Get());
    record.uTimeout = BalloonMs;
    record.dwInfoFlags = NIIF_INFO;
    // Remembered once the shell has taken it: a start that found no tray
    // tells it at the next start by hand.
    if (Shell_NotifyIconW(NIM_MODIFY, &record))
        introduced.Write(1);
}

// Which keys changed, and which of those the on-screen display shows. Shown
// at once, before the hook that told of the change has its answer: the
// display is up by the time the key reaches the program it was typed in.
void TIndicatorShape::ShowLockChange(int before, int after)
{
    // Nothing before the first picture, at the program's start, and nothing
    // while the picture stays.
    if (before < 0 || after < 0 || after >= IconSetSize || before == after || !CurrentIconSet)
        return;
    const int changed = before ^ after;
    const DWORD shown = OnScreenChoice.StoredKeys();
    TText lines;
    for (int key = 0; key < LockKeyCount; ++key) {
        if (!(changed & StateIndexBit(key)) || !(shown & OnScreenBit(key)))
            continue;
        TText line;
        LockStateText(line, key, (after & StateIndexBit(key)) != 0);
        StrJoin(lines.Slot(), {lines.Get(), lines.Length() > 0 ? "\r\n" : "", line.Get()});
    }
    if (lines.Length() == 0)
        return;
    TIconSource* picture = CurrentIconSet[after];
    lockDisplay_.Show(lines.Get(), picture ? picture->GetIcon(IconSizeLarge, nullptr) : nullptr);
}

void TIndicatorShape::OnLockKeyChanged()
{
    const int before = shownIndex_;
    HWND taskbar = FindTaskbar();
    if (taskbar != TrayWindow) {
        if (taskbar)
            UpdateTrayIcon(true, -1);
        else
            TrayWindow = nullptr;
    }
    UpdateTrayIcon(true, GetStateIndex());
    ShowLockChange(before, shownIndex_);
}

void TIndicatorShape::RecordSystemLockStates()
{
    // GetKeyState of this thread, read between the messages it handles, not
    // amid a key message of its own: the toggles as the system holds them.
    const int keys[] = {VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};
    const wchar_t* const properties[] = {L"" PROP_NUMLOCK, L"" PROP_CAPSLOCK, L"" PROP_SCROLLLOCK};
    for (int i = 0; i < 3; ++i)
        SetPropW(Hwnd, properties[i], reinterpret_cast<HANDLE>(static_cast<INT_PTR>(GetKeyState(keys[i]) & 1)));
}

void TIndicatorShape::ResyncLockStates()
{
    RecordSystemLockStates();
    const int before = shownIndex_;
    const int index = GetStateIndex();
    if (index != before) {
        UpdateTrayIcon(true, index);
        ShowLockChange(before, index);
    }
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
        PostMessageW(Hwnd, WM_NULL, 0, 0);
        break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        OpenKeyboardControlPanel();
        break;
    }
}
