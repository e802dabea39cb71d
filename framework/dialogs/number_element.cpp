#include "framework/dialogs/number_element.h"

#include <utility>

#include "framework/dialogs/element_values.h"

TNumberElement::TNumberElement(int dock, int value, int minimum, int maximum, int width)
    : TElement(dock, AlignCentre), Minimum(minimum), Maximum(maximum), Width(width)
{
    if (Minimum > Maximum)
        std::swap(Minimum, Maximum);
    Value = DefaultValue = Clamped(value);
}

int TNumberElement::Clamped(long long value) const
{
    return static_cast<int>(value < Minimum ? Minimum : value > Maximum ? Maximum : value);
}

void TNumberElement::SaveTo(const TRegistryKeyChain& key)
{
    SaveDwordSetting(key, Name, static_cast<DWORD>(Value));
}

void TNumberElement::LoadFrom(const TRegistryKeyChain& key)
{
    if (Name.Length() > 0)
        Value = Clamped(static_cast<int>(LoadDwordSetting(key, Name, static_cast<DWORD>(DefaultValue))));
}
