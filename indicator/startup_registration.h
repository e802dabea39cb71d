// Start-up registration: a program started by hand puts a shortcut to itself,
// with "/restore" and its own folder to work in, into the user's start-up folder; the exit command takes it
// away again. Each moment shows a message the user can suppress for the future.
#pragma once

#include <windows.h>

#include <string>

// The shortcut's path: the start-up folder and "Pelorum(システムトレイに常駐).lnk";
// empty until the registration or the unregistration first needs it.
extern std::wstring StartupShortcutPath;
void SetStartupShortcutPath();

// False for a start with "/restore", the start-up shortcut's.
bool StartedByHand();
// Unless the program was started with "/restore": writes the shortcut and
// shows the "Register" message.
void RegisterStartup(HWND owner);
// Shows the "Unregister" message naming the program path, then deletes the shortcut.
void UnregisterStartup(HWND owner);
