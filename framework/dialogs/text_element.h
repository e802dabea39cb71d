// TTextElement: a read-only multi-line text that can be selected and copied.
#pragma once

#include "framework/dialogs/element.h"
#include "framework/util/text.h"

class TTextElement : public TElement {
public:
    bool NoMinHeight = false;  // false: at least 32 high, to line up with a 32-pixel icon
    TText Text;                // after DisplayText
    TWindow Control;
    int TextWidth = 0;
    int TextHeight = 0;
    int Width = 0;
    int Height = 0;

    TTextElement(int dock, int align, const char* text, bool noMinHeight);
    explicit TTextElement(const char* text) : TTextElement(DockLeft, AlignCentre, text, false) {}

    void SetText(const char* text);

    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    void Enable(bool enable) override;
};

// The extent of a multi-line text as TabbedTextOut draws it: the widest line
// and the sum of the line heights; an empty line counts as one space.
SIZE MultiLineExtent(HDC dc, const char* text);
