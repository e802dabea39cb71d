// The indicator's application routines: what the framework's entry point asks
// of an application, and the one-indicator-per-desktop rule.
#include <windows.h>

#include <new>

#include "framework/dialogs/version_info.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/app_info.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"
#include "hook/lamphook.h"
#include "indicator/indicator_shape.h"

TAppInfo AppInfo("Mar  8 2000", "02:23:59", "Pelorum", "1.x", "Copyright (C) 2000 The Pelorum developers",
                 "https://pelorum.example.org/", "MailTo:pelorum@example.org");

char* AppRegistryKeyPath()
{
    return NewText("Software\\Velquist\\Indicator\\1.x");
}

char* AppProductName()
{
    return NewText("Pelorum");
}

// Two starts at the same moment (the start-up shortcut and a start by hand)
// both find no monitor window yet: the one that creates this mutex first is
// the session's indicator, and holds it for its life.
const char IndicatorMutexName[] = "Velquist Pelorum Indicator";

int AppMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The running indicator is neither activated nor told anything.
    HANDLE running = CreateMutexW(nullptr, FALSE, WideText(IndicatorMutexName).c_str());
    const bool another = running && GetLastError() == ERROR_ALREADY_EXISTS;
    if (another || FindWindowW(L"" MONITOR_WINDOW_CLASS, L"" MONITOR_WINDOW_TITLE)) {
        if (running)
            CloseHandle(running);
        return AppGlobals.ExitCode;
    }
    {
        TVersionInfo versionInfo;
        TIndicatorShape* shape = new (std::nothrow) TIndicatorShape;
        AppGlobals.MainShape = shape;
        if (shape)
            shape->RunModal();
        AppGlobals.MainShape = nullptr;
        delete shape;
        TShape::CloseAllShapes();
    }
    if (running)
        CloseHandle(running);
    return AppGlobals.ExitCode;
}
