// TOnScreenChoice: which lock keys the on-screen display shows.
//
// Kept as "OnScreen" (REG_DWORD under the program's key): a bit per key, 1 Num
// Lock, 2 Caps Lock, 4 Scroll Lock; 0 shows none, and a missing value all
// three. The settings dialog shows it as a group of three check boxes.
#pragma once

#include <windows.h>

#include "framework/dialogs/check_element.h"
#include "framework/dialogs/group_element.h"
#include "indicator/interface_texts.h"

const DWORD AllOnScreenKeys = 7;

// A key's bit in "OnScreen" (keys in the order of interface_texts.h).
inline DWORD OnScreenBit(int key)
{
    return 1u << key;
}

class TOnScreenChoice : public TGroupElement {
public:
    TOnScreenChoice();

    // The bits of the ticked keys, which follow the check boxes.
    DWORD Keys() const;
    // The bits as last loaded or saved: what the display goes by while the
    // dialog is open.
    DWORD StoredKeys() const { return stored_; }

    // The caption and the check boxes' labels in the interface's language.
    void Relabel();

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;

private:
    DWORD stored_ = AllOnScreenKeys;
    TCheckElement checks_[LockKeyCount] = {
        {DockLeft, InterfaceText(TextNumLockChoice), true, nullptr},
        {DockLeft, InterfaceText(TextCapsLockChoice), true, nullptr},
        {DockLeft, InterfaceText(TextScrollLockChoice), true, nullptr},
    };
};
