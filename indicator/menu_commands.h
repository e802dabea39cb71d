// The tray menu: resource 1 in Japanese, 2 in English, each one popup whose
// items carry these commands.
// Shared by the resource script and the code, so the two cannot drift apart.
#pragma once

#define TRAY_MENU_ID 1
#define TRAY_MENU_EN_ID 2

#define CM_NUMLOCK 101
#define CM_CAPSLOCK 102
#define CM_SCROLLLOCK 103
#define CM_KEYBOARD 201
#define CM_SETTINGS 191
#define CM_HELP 9
#define CM_VERSION 905
#define CM_EXIT 199
