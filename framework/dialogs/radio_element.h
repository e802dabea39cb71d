// TRadioGroupElement: a choice among options laid out in columns, each option
// with an optional attached element that is enabled while the option is the
// current one. TRadioChoiceElement accepts the dialog on a double click.
//
//     TRadioOption a(0, "Type &A&", &rowA), b(1, "Type &B&", &rowB);
//     TRadioGroupElement choice(0, &a, &b, nullptr);
#pragma once

#include <vector>

#include "framework/dialogs/element.h"
#include "framework/util/text.h"

// One option as the caller fills it; the element keeps a copy.
struct TRadioOption {
    int Value;
    TText Label;  // after DisplayText; may carry an access-key marker
    TWindow Control;
    TElement* Attached;  // shown under the option; not owned
    int AttachedWidth = 0;
    int AttachedHeight = 0;

    TRadioOption(int value, const char* label, TElement* attached = nullptr);
    TRadioOption(const TRadioOption& other);
    TRadioOption& operator=(const TRadioOption& other);
};

template <class... O>
using EnableIfOptions = std::enable_if_t<(std::is_convertible<O, const TRadioOption*>::value && ...)>;

class TRadioGroupElement : public TElement {
public:
    bool AutoWidth = true;
    int ItemWidth = 148;  // measured when automatic; a fixed one is at 96 DPI
    std::vector<TRadioOption> Options;
    TText Caption;        // after DisplayText; empty: no visible frame
    TWindow FrameWindow;
    int Value;
    int DefaultValue;
    int Columns = 1;      // options go column by column
    int Width = 0;
    int Height = 0;
    std::vector<int> ColumnExtra;  // room the attached elements need beyond each column
    std::vector<int> RowExtra;     // and below each row

    TRadioGroupElement(int value, const TRadioOption* const* options);
    template <class... O, class = EnableIfOptions<O...>>
    TRadioGroupElement(int value, O... options) : TRadioGroupElement(value, {options...})
    {
    }

    void SetCaption(const char* caption);

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;
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

    // Rows with the options placed column by column (at least one column).
    int ColumnCount() const { return Columns > 0 ? Columns : 1; }
    int RowCount() const;

protected:
    TShape* Shape = nullptr;
    bool IsOwnOption(HWND control) const;

private:
    TRadioGroupElement(int value, std::initializer_list<const TRadioOption*> options);
    void AddOptions(const TRadioOption* const* options, size_t count);
    void ShowCurrent();
};

class TRadioChoiceElement : public TRadioGroupElement {
public:
    using TRadioGroupElement::TRadioGroupElement;
    // A double click on an option acts as a click on the OK button.
    bool OnCommand(int id, HWND control, int code) override;
};
