// The texts that tell the user of the lock keys away from the menu: the
// on-screen display, the tray icon's tip, the balloon of the first start and
// the settings dialog's choice of keys for the display. Each is written once
// in every language the indicator speaks, side by side (interface_texts.cpp);
// like every text of the interface, each passes through DisplayText before
// the user sees it.
#pragma once

#include "framework/settings/interface_language.h"
#include "framework/util/text.h"

enum TInterfaceText : int {
    // The lock keys' names, in key order (below).
    TextNumLock,
    TextCapsLock,
    TextScrollLock,
    // A lock's state.
    TextLockOn,
    TextLockOff,
    // The settings dialog: the group of keys the display shows, and its
    // check boxes (with access-key markers), in key order.
    TextOnScreenCaption,
    TextNumLockChoice,
    TextCapsLockChoice,
    TextScrollLockChoice,
    // The balloon that shows where the tray icon is.
    TextBalloonTitle,
    TextBalloonText,
    InterfaceTextCount
};

// The text as written in the interface's language, before DisplayText.
const char* InterfaceText(TInterfaceText id);
// The text as the user sees it: InterfaceText through DisplayText.
void ShownText(TText& result, TInterfaceText id);

// The three lock keys in the order the indicator names them: 0 Num Lock,
// 1 Caps Lock, 2 Scroll Lock. A key's bit in a state index (4 x Num + 2 x Caps
// + Scroll) is 4 >> key.
const int LockKeyCount = 3;
inline int StateIndexBit(int key)
{
    return 4 >> key;
}

// "Caps Lock オン": a key and its state, as the display shows it.
void LockStateText(TText& result, int key, bool on);
// "Num Lock: オン, Caps Lock: オフ, Scroll Lock: オフ": the three states of a
// state index, as the tray icon's tip names them.
void LockStatesTip(TText& result, int stateIndex);
