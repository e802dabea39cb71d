// What the tray menu does outside the indicator: pressing a lock key for the
// user, and opening the keyboard page of the control panel.
#pragma once

#include <windows.h>

#include <string>

// Synthesises one press of a lock key: its lock state flips once and the key
// ends in the physical state it had (a held key is released and pressed again).
void ToggleLockKey(BYTE virtualKey);
// The command line that opens the keyboard applet: rundll32 (from the Windows
// directory, or the system directory where it lives there) with its path, the
// applet file and name each in double quotes; in UTF-16, started as it is.
std::wstring KeyboardControlPanelCommand();
void OpenKeyboardControlPanel();
