// TTextListElement: what the list box and the combo box share: a list of
// texts, the chosen one, and their keeping in the registry (items as
// "000000", "000001", ... and the choice as "SelectText" in the subkey Name).
#pragma once

#include "framework/dialogs/element.h"
#include "framework/util/list.h"
#include "framework/util/text.h"

class TTextListElement : public TElement {
public:
    TStringList Items;
    TText SelectText;  // the chosen (or, in an editable combo box, typed) text
    int Width;   // width and height at 96 DPI, scaled for the display
    int Height;
    TWindow Control;

    TTextListElement(int dock, int width, int height);

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;
    SIZE Measure(TShape& shape, HDC dc) override;
    void OnShapeClosed(TShape& shape) override;
    void Enable(bool enable) override;

protected:
    TShape* Shape = nullptr;
};

// TListBoxElement: a list box showing Items, with SelectText chosen.
class TListBoxElement : public TTextListElement {
public:
    TListBoxElement(int dock, int width, int height) : TTextListElement(dock, width, height) {}

    void CreateControls(TShape& shape, int x, int y) override;
    bool OnCommand(int id, HWND control, int code) override;
    void ToControls() override;
    void FromControls() override;
};

// TComboBoxElement: a drop-down list of Items, or with `editable` a field
// whose text may also be typed.
class TComboBoxElement : public TTextListElement {
public:
    bool Editable;

    TComboBoxElement(int dock, int width, bool editable);

    void CreateControls(TShape& shape, int x, int y) override;
    bool OnCommand(int id, HWND control, int code) override;
    void ToControls() override;
    void FromControls() override;
};
