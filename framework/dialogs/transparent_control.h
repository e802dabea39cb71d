// What the four transparent control classes share.
//
// Each class is the system class "EDIT", "STATIC" or "BUTTON" registered
// again, as a Unicode class like the system's own, under its own name with its
// own static procedure and room for one more pointer after the system's window-extra bytes. The owner of a control
// (a dialog element) stores there, right after CreateWindowExW returns, a
// pointer to its own TWindow field that holds the control's handle; until
// then the control behaves exactly like the system class. Transparent
// controls paint no background: the parent's background shows through, and
// the parent repaints the area around a control whenever its look changes.
#pragma once

#include <windows.h>

#include "framework/core/window.h"

// The process-wide record of one system class, filled at its first registration.
struct TBaseClass {
    WNDPROC Procedure = nullptr;
    int ExtraOffset = -1;  // the system class's window-extra size; the owner's pointer sits here
};

// Fills `windowClass` from the system class `baseName`: the program's
// instance, `procedure`, the window-extra size grown by one pointer and
// `className`; everything else as the system class has it.
void FillTransparentClass(WNDCLASSW& windowClass, TBaseClass& base, const wchar_t* baseName,
                          const wchar_t* className, WNDPROC procedure);

// A push button's owner keeps, right after the control's handle, the byte that
// says whether the button is the dialog's default one; the painter reads it
// through the stored pointer.
struct TPushButtonField {
    TWindow Control;
    BYTE IsDefault;
};

// Stores the owner's field in a control of one of the transparent classes
// (any other window is left alone) and reads it back (null before it is stored).
void BindTransparentControl(HWND control, TWindow* field);
TWindow* TransparentControlField(HWND control);

// The same read for a control whose class record is at hand (the procedures).
TWindow* StoredField(HWND control, const TBaseClass& base);

// True for a "TransparentPushButton" and for any system "Button"; with
// `requireDefault`, only for the one marked as the default (its owner's flag,
// or BS_DEFPUSHBUTTON). Class names are compared without regard to case.
bool IsPushLike(HWND window, bool requireDefault);

// The first child of `parent` that is a default push button, or null.
HWND FindDefaultPushButton(HWND parent);

// Invalidates, with erasing, the parent's area under the control's window
// rectangle grown by `grow` pixels (at 96 DPI, scaled for the display) on
// every side.
void InvalidateParentAround(HWND control, int grow);

// The behaviour every transparent class ends with: enabling and text changes
// repaint the parent around the control (the halo reaches 2 pixels beyond
// it at 96 DPI), and the background is erased only while the control has the focus.
LRESULT CommonTransparentProc(const TBaseClass& base, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
