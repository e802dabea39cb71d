// TTrackbarElement: a number chosen with a horizontal slider.
#pragma once

#include "framework/dialogs/element.h"

class TTrackbarElement : public TElement {
public:
    int Value;
    int DefaultValue;
    int Minimum;
    int Maximum;
    int Width;  // 21 high
    TWindow Control;

    TTrackbarElement(int dock, int value, int minimum, int maximum, int width = 160);

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;
    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    bool OnScroll(int code, int position, HWND control) override;
    void Enable(bool enable) override;
    void ToControls() override;
    void FromControls() override;

    int Clamped(long long value) const;
    // A tenth of the range, at least 1.
    int PageSize() const;

private:
    TShape* Shape = nullptr;
};
