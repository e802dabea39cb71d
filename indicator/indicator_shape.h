// TIndicatorShape: the indicator's hidden monitor window.
//
// A shape that is never shown. The keyboard hook library finds it by class and
// title and tells it of every lock-key press; it owns the tray icon with its
// menu, the two icon sets and the icon-set choice, and its modal loop is the
// program's only message loop.
#pragma once

#include <windows.h>

#include "framework/dialogs/shape.h"
#include "hook/lamphook.h"
#include "indicator/hook_companion.h"
#include "indicator/language_choice.h"
#include "indicator/lock_display.h"
#include "indicator/on_screen_choice.h"

class TGroupElement;
class TIconElement;
class TIconSource;
class TMenuItem;
class TOwnerDrawMenu;
class TRadioGroupElement;

// The tray icon's callback message and identifier.
const UINT WM_TRAYNOTIFY = WM_APP + 9000;
const UINT TRAY_ICON_ID = 9000;
const int IconSetSize = 8;

class TIndicatorShape : public TShape {
public:
    TIconElement* AppIconElement = nullptr;     // the shape's only element
    TGroupElement* IconRowA = nullptr;          // the eight set-A icons, for the settings dialog
    TGroupElement* IconRowB = nullptr;
    TRadioGroupElement* IconSetChoice = nullptr;  // "IconSet": 0 set A, otherwise set B
    HWND TrayWindow = nullptr;                  // the taskbar when the icon was last added
    HMENU TrayMenu = nullptr;                   // sub-menu 0 of menu resource 1 (Japanese) or 2
    TOwnerDrawMenu* OwnerDrawMenu = nullptr;    // made when the menu first opens
    TMenuItem* NumLockItem = nullptr;           // owned by OwnerDrawMenu; made with it
    TMenuItem* CapsLockItem = nullptr;
    TMenuItem* ScrollLockItem = nullptr;
    TIconSource** CurrentIconSet = nullptr;     // IconSetA or IconSetB
    TIconSource* IconSetA[IconSetSize] = {};    // shared sources, by state index
    TIconSource* IconSetB[IconSetSize] = {};
    IndicateData LockState = {};
    TOnScreenChoice OnScreenChoice;             // "OnScreen": the keys the display shows
    TLanguageChoice LanguageChoice;             // "Language": the interface's language

    TIndicatorShape();
    ~TIndicatorShape() override;

    void OnInitShape() override;
    void OnClosing() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCommand(int id, HWND control, int code) override;

    // The tray (tray_icon.cpp).
    // Reads the recorded lock states into LockState: 4 x Num + 2 x Caps + Scroll.
    int GetStateIndex();
    // Adds (index -1: for the current state), changes or deletes the tray
    // icon, and sets the lock items' check marks.
    void UpdateTrayIcon(bool show, int index);
    void OnLockKeyChanged();
    // Records the three lock states as the system holds them, and shows their
    // picture if the tray shows another: for the changes no hook saw.
    void ResyncLockStates();
    void OnTrayNotify(UINT mouseMessage);
    // Loads the tray menu of the interface's language, dropping the one
    // loaded before with its OwnerDrawMenu.
    void LoadTrayMenu();
    // Makes OwnerDrawMenu and its items, once.
    void PrepareTrayMenu();
    // On the first start by hand, a balloon from the tray icon tells where it
    // is and how to keep it in sight; once, remembered in the registry.
    void IntroduceTrayIcon();

    // The on-screen display (tray_icon.cpp). The tray showed the state
    // index `before` and now shows `after`: the keys that changed and that
    // "OnScreen" names go to the display, with the picture of `after`.
    void ShowLockChange(int before, int after);

    // Shows the current icon set in the tray and on the lock items (tray_icon.cpp).
    void ApplyIconSet();
    // The settings dialog (settings_dialog.h), with IconSetChoice.
    void ShowSettings();
    // The interface's language has changed: the menu, the tip and the dialogs
    // opened from now on speak the new one.
    void ApplyLanguage();

private:
    void ShowVersion();
    void Exit();
    // The moments a lock may have changed unseen (indicator_shape.cpp).
    void WatchForUnseenChanges();
    void StopWatching();
    // Records the system's lock states in the properties (tray_icon.cpp).
    void RecordSystemLockStates();

    HMENU menuResource_ = nullptr;  // the loaded menu resource 1 or 2, destroyed with the shape
    TIconElement* iconElementsA_[IconSetSize] = {};
    TIconElement* iconElementsB_[IconSetSize] = {};
    int shownIndex_ = -1;                   // the picture in the tray; -1 none
    HWINEVENTHOOK foregroundWatch_ = nullptr;
    bool sessionWatched_ = false;
    THookCompanion companion_;
    TLockDisplay lockDisplay_;
};

// The icon of the settings command, which the settings dialog shows too.
TIconSource* SettingsCommandIcon();

// Brings a shape window with this title forward, if one is open; false when
// there is none.
bool BringShapeForward(const char* title);
