// TCheckElement: a check box, optionally with an attached element that is
// enabled exactly while the box is ticked.
#pragma once

#include "framework/dialogs/element.h"
#include "framework/util/text.h"

// Where the button painter starts the label of a check box or radio button:
// after the 13-pixel box and its gap (at 96 DPI, scaled for the display). A
// measured label is that much wider than its text, so that the text is never
// cut off at the right.
enum : int { ButtonLabelIndent = 18 };

class TCheckElement : public TElement {
public:
    TText Label;  // after DisplayText; may carry an access-key marker
    bool Checked;
    bool DefaultChecked;
    TWindow Control;
    TElement* Attached;      // not owned; docked right or top: beside the box, otherwise below it
    bool AutoWidth;
    int LabelWidth = 148;    // measured when automatic; a fixed one is at 96 DPI
    int RowHeight = 18;      // at 96 DPI, scaled for the display

    // The label's width measured.
    TCheckElement(int dock, const char* label, bool checked, TElement* attached);
    // A fixed label width.
    TCheckElement(int dock, int width, const char* label, bool checked, TElement* attached);

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;
    void SetGap(int x, int y) override;
    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    void Paint(TShape& shape, HDC dc) override;
    bool OnCommand(int id, HWND control, int code) override;
    bool OnContextMenu(TShape& shape, HWND window, int x, int y) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam) override;
    bool OnScroll(int code, int position, HWND control) override;
    void Enable(bool enable) override;
    void ToControls() override;
    void FromControls() override;

protected:
    TShape* Shape = nullptr;

private:
    bool IsBeside() const;
};
