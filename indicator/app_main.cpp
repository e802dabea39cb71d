// The indicator's application routines: what the framework's entry point asks
// of an application, and the one-indicator-per-desktop rule.
#include <windows.h>

#include <new>

#include "framework/core/app_globals.h"
#include "framework/core/app_info.h"
#include "framework/dialogs/version_info.h"
#include "framework/util/text.h"
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

int AppMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The running indicator is neither activated nor told anything.
    if (FindWindowA(MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE))
        return AppGlobals.ExitCode;
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
    return AppGlobals.ExitCode;
}
