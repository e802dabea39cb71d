// The texts of controls, handed to them and read from them in UTF-16: the
// program's texts (code page 932) are converted explicitly, so a control shows
// them right whatever the system's code page for non-Unicode programs is.
#pragma once

#include <windows.h>

#include "framework/util/text.h"

// Sets the window's text (WM_SETTEXT).
void SetControlText(HWND window, const char* text);
// The window's text in the program's code page (WM_GETTEXT).
TText ControlText(HWND window);
// Sends a message whose LPARAM is a text (LB_ADDSTRING, CB_FINDSTRINGEXACT,
// SB_SETTEXTW ...) with the text in UTF-16.
LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, const char* text);
// The text a message of the kind of LB_GETTEXT writes into its LPARAM buffer,
// its length being what `lengthMessage` answers for the same WPARAM.
TText ReadTextMessage(HWND window, UINT lengthMessage, UINT textMessage, WPARAM wParam);
