// TNumberElement: what the elements that choose a number share: the value
// within its range, its default, and its keeping as one REG_DWORD.
#pragma once

#include "framework/dialogs/element.h"

class TNumberElement : public TElement {
public:
    int Value;
    int DefaultValue;
    int Minimum;
    int Maximum;
    int Width;  // at 96 DPI, scaled for the display

    // A range given upside down is turned round; the value is brought inside it.
    TNumberElement(int dock, int value, int minimum, int maximum, int width);

    void SaveTo(const TRegistryKeyChain& key) override;
    // A stored number outside the range (written by hand) comes back inside it.
    void LoadFrom(const TRegistryKeyChain& key) override;

    int Clamped(long long value) const;
};
