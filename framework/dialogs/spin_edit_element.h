// TSpinEditElement: a number in an edit field with an up-down control, kept
// within its range.
#pragma once

#include "framework/dialogs/element.h"

class TSpinEditElement : public TElement {
public:
    int Value;
    int DefaultValue;
    int Minimum;
    int Maximum;
    int Width;  // the edit field with its arrows; 18 high
    TWindow Edit;
    TWindow UpDown;

    TSpinEditElement(int dock, int value, int minimum, int maximum, int width = 64);

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;
    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    bool OnCommand(int id, HWND control, int code) override;
    void Enable(bool enable) override;
    void ToControls() override;
    void FromControls() override;

    // The value brought into [Minimum, Maximum].
    int Clamped(long long value) const;
};
