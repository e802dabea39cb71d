// Keyboard handling of a shape's message loop, run for every message before
// IsDialogMessageA while the shape is the active window: its accelerator
// table, Enter for the default button, and Alt+F5 / Alt+F3 for the system
// menu's always-on-top and translucency commands.
#pragma once

#include <windows.h>

#include "framework/core/window.h"

// One accelerator: 5 bytes, packed. The modifier bits are those of ACCEL.
#pragma pack(push, 1)
struct TShapeAccelerator {
    BYTE Flags;    // bit 4 Alt (FALT), bit 3 Ctrl (FCONTROL), bit 2 Shift (FSHIFT)
    WORD Key;      // virtual key
    WORD Command;  // WM_COMMAND identifier
};
#pragma pack(pop)
static_assert(sizeof(TShapeAccelerator) == 5, "an accelerator entry is 5 bytes");

// For WM_KEYDOWN and WM_SYSKEYDOWN:
// 1. the first accelerator whose key is the message's and whose Alt, Ctrl and
//    Shift bits match the keys held now posts WM_COMMAND (command, 1) to
//    `window` (F1 so taken is not also help: the system's queued help
//    message for it is dropped);
// 2. Enter without Ctrl or Alt, unless the focus is in an editable multi-line
//    edit, posts WM_COMMAND for the default button (FindDefaultButton);
// 3. only for WM_SYSKEYDOWN: Alt+F5 and Alt+F3 post WM_SYSCOMMAND 63078 and
//    63084 to the active window when its system menu has the command enabled.
// True when the message was consumed.
bool PreTranslateShapeKey(const TShapeAccelerator* accelerators, int count, TWindow window, const MSG& message);

// Push buttons are the controls that answer WM_GETDLGCODE with
// DLGC_DEFPUSHBUTTON or DLGC_UNDEFPUSHBUTTON, the system's buttons and any
// framework button that answers the same way; the default ones answer
// DLGC_DEFPUSHBUTTON.
bool IsPushButton(HWND control, bool requireDefault);
// The focused control when it is a push button of `window`, else the first
// default push button among the window's children; null when there is none.
HWND FindDefaultButton(TWindow window);
