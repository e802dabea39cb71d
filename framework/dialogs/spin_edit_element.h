// TSpinEditElement: a number in an edit field with an up-down control, kept
// within its range.
#pragma once

#include "framework/dialogs/number_element.h"

class TSpinEditElement : public TNumberElement {
public:
    TWindow Edit;  // 18 high, with the up-down control inside its width
    TWindow UpDown;

    TSpinEditElement(int dock, int value, int minimum, int maximum, int width = 64);

    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    bool OnCommand(int id, HWND control, int code) override;
    void Enable(bool enable) override;
    void ToControls() override;
    void FromControls() override;
};
