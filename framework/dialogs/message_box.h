// The framework's message box: a small shape of a button row, the message
// with its icon, and the check box that lets the user suppress it (see
// TWithoutStereotypeElement), run without a title under the message's
// identifier.
//
//     ShowMessage(owner, "Register", 32516, text, MessageOk);
#pragma once

#include <windows.h>

// The framework's answer buttons: "OK" (1) alone, or with "ｷｬﾝｾﾙ" (2).
enum TMessageButtons : int {
    MessageOk,
    MessageOkCancel,
};

// Shows the message and waits for the answer: the identifier of the pressed
// button, or the remembered one, at once and unseen, when the user has
// suppressed the message. `iconId` is a request identifier of
// StandardIconElement (32516 for information); the text goes through
// DisplayText.
int ShowMessage(HWND owner, const char* identifier, int iconId, const char* text, TMessageButtons buttons);
