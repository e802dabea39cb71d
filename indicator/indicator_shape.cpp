#include "indicator/indicator_shape.h"

#include <wtsapi32.h>

#include <new>

#include "framework/core/display_text.h"
#include "framework/core/menu_item.h"
#include "framework/core/owner_draw_menu.h"
#include "framework/dialogs/group_element.h"
#include "framework/dialogs/help_request.h"
#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/radio_element.h"
#include "framework/dialogs/version_info.h"
#include "framework/drawing/file_icon_source.h"
#include "framework/drawing/icon_caches.h"
#include "framework/drawing/standard_icon_source.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/interface_language.h"
#include "framework/util/directories.h"
#include "framework/util/resource_names.h"
#include "framework/util/system_library.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"
#include "indicator/lock_keys.h"
#include "indicator/menu_commands.h"
#include "indicator/settings_dialog.h"
#include "indicator/startup_registration.h"

namespace {

// Explorer announces a restarted taskbar with this registered message.
const UINT TaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");

// The session's notices come from a library loaded when they are first asked for.
const char SessionLibrary[] = "wtsapi32.dll";
typedef BOOL(WINAPI* TRegisterSessionNotification)(HWND window, DWORD flags);
typedef BOOL(WINAPI* TUnRegisterSessionNotification)(HWND window);

// The monitor window, for the window-event callback, which carries no context.
HWND g_foregroundWatcher = nullptr;

// Another window has come to the front, of any program: a lock may have
// changed in one no hook runs in (an elevated program, the lock screen).
// Called on this thread, out of context: nothing is loaded into other programs.
void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    if (g_foregroundWatcher)
        SendMessageW(g_foregroundWatcher, WM_RESYNCLOCKSTATES, 0, 0);
}

// A row of the settings dialog: eight icons side by side.
TGroupElement* NewIconRow(TIconElement* (&elements)[IconSetSize])
{
    TElementList icons;
    for (TIconElement* element : elements)
        if (element)
            icons.push_back(element);
    return new (std::nothrow) TGroupElement(DockLeft, AlignTop, 12, 12, nullptr, icons);
}

// An icon of a module in the system directory.
TIconSource* SystemModuleIcon(const char* file, int index)
{
    char* directory;
    SystemDirectory(directory);
    char* path;
    StrConcat(path, directory, file);
    TIconSource* icon = ModuleIcon(path, index);
    FreeText(path);
    FreeText(directory);
    return icon;
}

}  // namespace

TIndicatorShape::TIndicatorShape() : TShape(nullptr, MONITOR_WINDOW_TITLE)
{
    AppIconElement = new (std::nothrow) TIconElement(ResourceIcon(APPLICATION_ICON_NAME));
    for (int i = 0; i < IconSetSize; ++i) {
        iconElementsA_[i] = new (std::nothrow) TIconElement(ResourceIcon(IndicatorIconNamesA[i]));
        iconElementsB_[i] = new (std::nothrow) TIconElement(ResourceIcon(IndicatorIconNamesB[i]));
    }
    IconRowA = NewIconRow(iconElementsA_);
    IconRowB = NewIconRow(iconElementsB_);

    const TRadioOption optionA(0, "Type &A&", IconRowA);
    const TRadioOption optionB(1, "Type &B&", IconRowB);
    IconSetChoice = new (std::nothrow) TRadioGroupElement(0, &optionA, &optionB);
    if (AppIconElement)
        SetElements(AppIconElement);

    LoadTrayMenu();

    if (IconSetChoice)
        IconSetChoice->Name.Set("IconSet");
    LoadSettingChoices(IconSetChoice, OnScreenChoice, LanguageChoice);
    for (int i = 0; i < IconSetSize; ++i) {
        IconSetA[i] = ResourceIcon(IndicatorIconNamesA[i]);
        IconSetB[i] = ResourceIcon(IndicatorIconNamesB[i]);
    }
    CurrentIconSet = IconSetChoice && IconSetChoice->Value != 0 ? IconSetB : IconSetA;
}

void TIndicatorShape::LoadTrayMenu()
{
    delete OwnerDrawMenu;
    OwnerDrawMenu = nullptr;
    NumLockItem = CapsLockItem = ScrollLockItem = nullptr;
    if (menuResource_)
        DestroyMenu(menuResource_);
    const int menuId = InterfaceLanguage() == LanguageEnglish ? TRAY_MENU_EN_ID : TRAY_MENU_ID;
    menuResource_ = LoadMenuW(AppGlobals.Instance, MAKEINTRESOURCEW(menuId));
    TrayMenu = menuResource_ ? GetSubMenu(menuResource_, 0) : nullptr;
}

void TIndicatorShape::PrepareTrayMenu()
{
    // Made when the menu first opens: its icons, the system's file-type icon
    // and the modules they come from cost nothing in a run that never opens it.
    if (OwnerDrawMenu || !menuResource_)
        return;
    // Two levels: the loaded menu holds the popup, whose items draw the icons.
    // The lock items are kept only once the wrapper owns them: without the
    // menu, or without memory, they are gone and their pointers null.
    TOwnerDrawMenu* popup = new (std::nothrow) TOwnerDrawMenu(0, nullptr);
    if (popup) {
        auto kept = [popup](TMenuItem* item) { return popup->Add(item) ? item : nullptr; };
        NumLockItem = kept(new (std::nothrow) TMenuItem(CM_NUMLOCK, CurrentIconSet[4]));
        CapsLockItem = kept(new (std::nothrow) TMenuItem(CM_CAPSLOCK, CurrentIconSet[2]));
        ScrollLockItem = kept(new (std::nothrow) TMenuItem(CM_SCROLLLOCK, CurrentIconSet[1]));
        popup->Add(new (std::nothrow) TMenuItem(CM_KEYBOARD, SystemModuleIcon("main.cpl", 6)));
        popup->Add(new (std::nothrow) TMenuItem(CM_SETTINGS, SettingsCommandIcon()));
        popup->Add(new (std::nothrow) TMenuItem(CM_HELP, FileIcon("*.hlp", LogoFallback)));
        popup->Add(new (std::nothrow) TMenuItem(CM_VERSION, VersionInfoIcon()));
        popup->Add(new (std::nothrow) TMenuItem(CM_EXIT, ResourceIcon(CLOSE_ICON_NAME)));
    }
    OwnerDrawMenu = popup ? new (std::nothrow) TOwnerDrawMenu(menuResource_) : nullptr;
    if (OwnerDrawMenu && OwnerDrawMenu->Add(popup)) {
        OwnerDrawMenu->Attach();
    } else {
        if (!OwnerDrawMenu)
            delete popup;  // else Add has deleted it
        delete OwnerDrawMenu;
        OwnerDrawMenu = nullptr;
        NumLockItem = CapsLockItem = ScrollLockItem = nullptr;
    }
    if (TrayMenu)
        SetMenuDefaultItem(TrayMenu, CM_KEYBOARD, FALSE);
}

TIndicatorShape::~TIndicatorShape()
{
    delete AppIconElement;
    for (int i = 0; i < IconSetSize; ++i) {
        delete iconElementsA_[i];
        delete iconElementsB_[i];
    }
    delete IconRowA;
    delete IconRowB;
    delete IconSetChoice;
    delete OwnerDrawMenu;
    if (menuResource_)
        DestroyMenu(menuResource_);
}

void TIndicatorShape::OnInitShape()
{
    SetCaptureIndicate(Hwnd);
    companion_.Start(Hwnd);
    WatchForUnseenChanges();
    UpdateTrayIcon(true, -1);
    ShowOnCreate = false;
    IntroduceTrayIcon();
    RegisterStartup(Hwnd);
}

void TIndicatorShape::OnClosing()
{
    ReleaseCaptureIndicate(Hwnd);
    StopWatching();
    UpdateTrayIcon(false, 0);
}

void TIndicatorShape::WatchForUnseenChanges()
{
    // Windows tells of every window that comes to the front through this
    // event. Wine delivers none from another process: there the hook library
    // adds a hook of its own to the same end (hook/wine_check.h).
    g_foregroundWatcher = Hwnd;
    foregroundWatch_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged,
                                       0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    const auto watchSession =
        SystemFunction<TRegisterSessionNotification>(SessionLibrary, "WTSRegisterSessionNotification");
    sessionWatched_ = watchSession && watchSession(Hwnd, NOTIFY_FOR_THIS_SESSION);
}

void TIndicatorShape::StopWatching()
{
    if (foregroundWatch_)
        UnhookWinEvent(foregroundWatch_);
    foregroundWatch_ = nullptr;
    g_foregroundWatcher = nullptr;
    if (sessionWatched_) {
        const auto stopWatching =
            SystemFunction<TUnRegisterSessionNotification>(SessionLibrary, "WTSUnRegisterSessionNotification");
        if (stopWatching)
            stopWatching(Hwnd);
    }
    sessionWatched_ = false;
    companion_.Stop();
}

LRESULT TIndicatorShape::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS && OwnerDrawMenu)
            OwnerDrawMenu->Refresh();
        break;
    case WM_DRAWITEM:
        return TOwnerDrawMenu::OnDrawItem(Hwnd, wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
        return TOwnerDrawMenu::OnMeasureItem(Hwnd, wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_MENUCHAR:
        return TOwnerDrawMenu::OnMenuChar(Hwnd, message, wParam, reinterpret_cast<HMENU>(lParam));
    case WM_LOCKKEYCHANGED:
        OnLockKeyChanged();
        return 0;
    case WM_TRAYNOTIFY:
        OnTrayNotify(static_cast<UINT>(lParam));
        return 0;
    // The moments a lock may have changed where no hook saw it.
    case WM_RESYNCLOCKSTATES:
        ResyncLockStates();
        return 0;
    case WM_WTSSESSION_CHANGE:
        // Unlocked, or connected to: the lock screen and a remote session
        // have keys of their own.
        if (wParam == WTS_SESSION_UNLOCK || wParam == WTS_CONSOLE_CONNECT || wParam == WTS_REMOTE_CONNECT)
            ResyncLockStates();
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
            ResyncLockStates();
        break;
    case WM_COMPANIONHOOKED:
        // Windows: the companion's 64-bit hook is installed for good. This
        // one goes in again, after it and so ahead of it, so that both are
        // called.
        SetCaptureIndicate(Hwnd);
        ResyncLockStates();
        return 0;
    case WM_COMPANIONENDED:
        companion_.OnEnded();
        return 0;
    default:
        // A restarted taskbar has forgotten every icon: add it again at once,
        // with the true states, rather than waiting for the next lock-key press.
        if (message == TaskbarCreatedMessage && message != 0) {
            RecordSystemLockStates();
            UpdateTrayIcon(true, -1);
            return 0;
        }
        break;
    }
    return TShape::WndProc(message, wParam, lParam);
}

int TIndicatorShape::OnCommand(int id, HWND control, int code)
{
    switch (id) {
    case CM_NUMLOCK:
        ToggleLockKey(VK_NUMLOCK);
        return 0;
    case CM_CAPSLOCK:
        ToggleLockKey(VK_CAPITAL);
        return 0;
    case CM_SCROLLLOCK:
        ToggleLockKey(VK_SCROLL);
        return 0;
    case CM_KEYBOARD:
        OpenKeyboardControlPanel();
        return 0;
    case CM_SETTINGS:
        ShowSettings();
        return 0;
    case CM_HELP:
        MessageBeep(MB_ICONASTERISK);
        RequestHelp(Hwnd, HELP_INDEX, 0, 0);
        return 0;
    case CM_VERSION:
        ShowVersion();
        return 0;
    case CM_EXIT:
        Exit();
        return 0;
    }
    return TShape::OnCommand(id, control, code);
}

void TIndicatorShape::ShowSettings()
{
    TText title;
    DisplayText(title.Slot(), LocalText("Pelorum 設定", "Pelorum Settings"));
    if (BringShapeForward(title.Get()) || !IconSetChoice)
        return;
    bool newLanguage;
    if (!RunSettingsDialog(Hwnd, title.Get(), SettingsCommandIcon(), IconSetChoice, OnScreenChoice, LanguageChoice,
                           newLanguage))
        return;
    if (newLanguage)
        ApplyLanguage();
    ApplyIconSet();
}

void TIndicatorShape::ApplyLanguage()
{
    LoadTrayMenu();
    OnScreenChoice.Relabel();
    LanguageChoice.Relabel();
    if (CurrentVersionInfo)
        CurrentVersionInfo->Relabel();
}

void TIndicatorShape::ShowVersion()
{
    TText title;
    DisplayText(title.Slot(), LocalText("Pelorum ﾊﾞｰｼﾞｮﾝ情報", "Pelorum Version Information"));
    if (BringShapeForward(title.Get()) || !CurrentVersionInfo)
        return;
    TShape shape(Hwnd, title.Get());
    shape.SettingsName.Set("VersionShape");
    shape.RunModal(CurrentVersionInfo);
}

void TIndicatorShape::Exit()
{
    UnregisterStartup(Hwnd);
    RequestHelp(Hwnd, HELP_QUIT, 0, 0);
    EndShape(-1);
}

TIconSource* SettingsCommandIcon()
{
    return SystemModuleIcon("SHELL32.DLL", -22);
}

bool BringShapeForward(const char* title)
{
    HWND open = FindWindowW(WideShapeClassName, WideText(title).c_str());
    if (!open)
        return false;
    ShowWindow(open, SW_RESTORE);
    SetForegroundWindow(open);
    return true;
}
