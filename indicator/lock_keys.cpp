#include "indicator/lock_keys.h"

#include "framework/core/display_text.h"
#include "framework/util/directories.h"
#include "framework/util/key_state.h"
#include "framework/util/text.h"

void ToggleLockKey(BYTE virtualKey)
{
    if (IsKeyDown(virtualKey)) {
        keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
        keybd_event(virtualKey, 0, 0, 0);
    } else {
        keybd_event(virtualKey, 0, 0, 0);
        keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
    }
    // This thread's own table takes the press at once, so that it shows the
    // new Num Lock state before the synthesised key reaches any thread.
    if (virtualKey == VK_NUMLOCK) {
        BYTE states[256];
        if (GetKeyboardState(states)) {
            states[VK_NUMLOCK] |= 0x80;
            states[VK_NUMLOCK] ^= 0x01;
            SetKeyboardState(states);
        }
    }
}

void KeyboardControlPanelCommand(char*& result)
{
    TText windows, system, rundll, applet;
    WindowsDirectory(windows.Slot());
    SystemDirectory(system.Slot());
    // rundll32.exe lives in the Windows directory on the systems of the 4.x
    // family and in the system directory on the NT family: a command naming a
    // file that is not there would start nothing.
    StrConcat(rundll.Slot(), windows.Get(), "rundll32.exe");
    if (GetFileAttributesA(rundll.Get()) == INVALID_FILE_ATTRIBUTES)
        StrConcat(rundll.Slot(), system.Get(), "rundll32.exe");
    ShellText(applet.Slot(), "ｷｰﾎﾞｰﾄﾞ");
    StrJoin(result, {rundll.Get(), " shell32.dll,Control_RunDLL \"", system.Get(), "MAIN.CPL\",\"", applet.Get(), "\""});
}

void OpenKeyboardControlPanel()
{
    TText command;
    KeyboardControlPanelCommand(command.Slot());
    WinExec(command.Get(), SW_SHOW);
}
