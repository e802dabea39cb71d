// Help requests of the framework and the application: OpenHelp
// (framework/core/help_page.h), and where nothing can open the help page, a
// message that names it.
#pragma once

#include <windows.h>

// OpenHelp for one request; when it fails, a message owned by `window` names
// the page.
void RequestHelp(HWND window, UINT command, ULONG_PTR data, int topic);
