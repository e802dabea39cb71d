#include "indicator/lock_keys.h"

#include "framework/core/display_text.h"
#include "framework/util/directories.h"
#include "framework/util/key_state.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

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

std::wstring KeyboardControlPanelCommand()
{
    const std::wstring windows = WideWindowsDirectory(), system = WideSystemDirectory();
    // rundll32.exe lives in the Windows directory on the systems of the 4.x
    // family and in the system directory on the NT family: a command naming a
    // file that is not there would start nothing.
    std::wstring rundll = windows + L"rundll32.exe";
    if (GetFileAttributesW(rundll.c_str()) == INVALID_FILE_ATTRIBUTES)
        rundll = system + L"rundll32.exe";
    TText applet;
    ShellText(applet.Slot(), "ｷｰﾎﾞｰﾄﾞ");
    std::wstring command = L"\"" + rundll;
    command += L"\" shell32.dll,Control_RunDLL \"" + system;
    command += L"MAIN.CPL\",\"" + WideText(applet.Get()) + L"\"";
    return command;
}

void OpenKeyboardControlPanel()
{
    std::wstring command = KeyboardControlPanelCommand();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
