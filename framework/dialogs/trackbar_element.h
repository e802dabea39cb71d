// TTrackbarElement: a number chosen with a horizontal slider.
#pragma once

#include "framework/dialogs/number_element.h"

class TTrackbarElement : public TNumberElement {
public:
    TWindow Control;  // 21 high

    TTrackbarElement(int dock, int value, int minimum, int maximum, int width = 160);

    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    bool OnScroll(int code, int position, HWND control) override;
    void Enable(bool enable) override;
    void ToControls() override;
    void FromControls() override;

    // A tenth of the range, at least 1.
    int PageSize() const;

private:
    TShape* Shape = nullptr;
};
