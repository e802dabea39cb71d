// A remote control for a running indicator, for scripts/run: it runs under
// Wine beside Indicator.exe and does one thing per argument, in order.
//
//   wait-icon       wait (up to 30 s) until the indicator's icon is in the tray
//   exit            the exit command of the tray menu
//   answer          press OK on the indicator's message, if one comes up within 5 s
//   shot NAME       save the taskbar as build/screens/NAME
//   close           WM_CLOSE to the monitor window, then wait until it is gone
//   wait-gone       wait, however long, until the monitor window is gone
//
// Exit code: 0 when every step did what it says, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "tests/canvas.h"
#include "tests/message_pump.h"
#include "tests/tray_probe.h"

namespace {

const char MonitorClass[] = "ShapeClass";
const char MonitorTitle[] = "INDICATOR MONITOR WINDOW";

// A visible shape of the monitor's process with an OK button: the message.
BOOL CALLBACK FindMessage(HWND window, LPARAM found)
{
    DWORD process = 0, monitorProcess = 0;
    GetWindowThreadProcessId(window, &process);
    GetWindowThreadProcessId(FindWindowA(MonitorClass, MonitorTitle), &monitorProcess);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (process == monitorProcess && std::strcmp(className, MonitorClass) == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, IDOK)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

bool Answer()
{
    HWND message = nullptr;
    if (!PumpUntil([&] { return EnumWindows(FindMessage, reinterpret_cast<LPARAM>(&message)), message; }, 5000))
        return true;  // suppressed earlier: nothing to answer
    PostMessageA(message, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(message, IDOK)));
    return PumpUntil([&] { return !IsWindow(message); }, 5000);
}

bool Shot(const char* name)
{
    RECT taskbar = {};
    return GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &taskbar) &&
           SaveScreenshot(CaptureScreen(taskbar), name);
}

}  // namespace

int main(int argc, char** argv)
{
    bool ok = true;
    for (int i = 1; i < argc && ok; ++i) {
        const char* step = argv[i];
        if (std::strcmp(step, "wait-icon") == 0)
            ok = PumpUntil([] { return IndicatorIconInTray(FindWindowA(MonitorClass, MonitorTitle)); }, 30000);
        else if (std::strcmp(step, "answer") == 0)
            ok = Answer();
        else if (std::strcmp(step, "exit") == 0)
            ok = PostMessageA(FindWindowA(MonitorClass, MonitorTitle), WM_COMMAND, 199, 0) != FALSE;
        else if (std::strcmp(step, "shot") == 0 && i + 1 < argc)
            ok = Shot(argv[++i]);
        else if (std::strcmp(step, "close") == 0) {
            PostMessageA(FindWindowA(MonitorClass, MonitorTitle), WM_CLOSE, 0, 0);
            ok = PumpUntil([] { return FindWindowA(MonitorClass, MonitorTitle) == nullptr; }, 10000);
        } else if (std::strcmp(step, "wait-gone") == 0) {
            while (FindWindowA(MonitorClass, MonitorTitle))
                PumpUntil([] { return false; }, 500);
        } else
            ok = false;
    }
    return ok ? 0 : 1;
}
