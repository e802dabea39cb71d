#include "indicator/on_screen_choice.h"

#include "framework/core/display_text.h"
#include "framework/dialogs/element_values.h"

TOnScreenChoice::TOnScreenChoice()
    : TGroupElement(DockBottom, AlignLeft, 12, 12, InterfaceText(TextOnScreenCaption), TElementList())
{
    Name.Set("OnScreen");
    SetChildren(&checks_[0], &checks_[1], &checks_[2]);
}

void TOnScreenChoice::Relabel()
{
    SetCaption(InterfaceText(TextOnScreenCaption));
    for (int key = 0; key < LockKeyCount; ++key)
        DisplayText(checks_[key].Label.Slot(), InterfaceText(static_cast<TInterfaceText>(TextNumLockChoice + key)));
}

DWORD TOnScreenChoice::Keys() const
{
    DWORD keys = 0;
    for (int key = 0; key < LockKeyCount; ++key)
        if (checks_[key].Checked)
            keys |= OnScreenBit(key);
    return keys;
}

void TOnScreenChoice::SaveTo(const TRegistryKeyChain& key)
{
    stored_ = Keys();
    SaveDwordSetting(key, Name, stored_);
}

void TOnScreenChoice::LoadFrom(const TRegistryKeyChain& key)
{
    stored_ = LoadDwordSetting(key, Name, AllOnScreenKeys) & AllOnScreenKeys;
    for (int i = 0; i < LockKeyCount; ++i)
        checks_[i].Checked = (stored_ & OnScreenBit(i)) != 0;
}
