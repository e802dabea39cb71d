// TButtonsElement: a row or column of push buttons with icons; pressing one
// ends the shape with the button's identifier (9, the help button, opens the
// help topic instead).
//
//     TButtonRecord ok(IDOK, "OK", ResourceIcon("OK_ICON"));
//     TButtonRecord cancel(IDCANCEL, "ｷｬﾝｾﾙ", ResourceIcon("CANCEL_ICON"));
//     TButtonsElement row(DockBottom, &ok, &cancel, nullptr);
#pragma once

#include <cstddef>
#include <vector>

#include "framework/dialogs/element.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/util/text.h"

class TIconSource;

// One button as the caller fills it; the element keeps a copy.
struct TButtonRecord {
    int Id;                // -1: the next automatic identifier, taken at creation and kept
    TText Label;           // after DisplayText; may carry an access-key marker
    TIconSource* Icon;
    TWindow Control;       // the button once created
    BYTE IsDefault;        // set at creation; read by the button's painter through Control
    BYTE Enabled;          // 0 creates the button disabled
    int HelpId;            // context help identifier; -1 for none

    TButtonRecord(int id, const char* label, TIconSource* icon = nullptr, bool enabled = true, int helpId = -1);
    TButtonRecord(const TButtonRecord& other);
    TButtonRecord& operator=(const TButtonRecord& other);
};
// The painter finds the default flag right after the control's handle.
static_assert(offsetof(TButtonRecord, IsDefault) - offsetof(TButtonRecord, Control) ==
                  offsetof(TPushButtonField, IsDefault),
              "a button record holds its control and default flag as the painter reads them");

template <class... B>
using EnableIfButtons = std::enable_if_t<(std::is_convertible<B, const TButtonRecord*>::value && ...)>;

// Button sizes at 96 DPI (scaled for the display): 88 x 21, 6 pixels apart in
// a row and in a column.
enum : int {
    ButtonWidth = 88,
    ButtonHeight = 21,
    ButtonGap = 6,
};

class TButtonsElement : public TElement {
public:
    std::vector<TButtonRecord> Buttons;
    bool MayBeDefault = true;
    int DefaultIndex = 0;
    int ItemWidth = ButtonWidth;  // each button's width at 96 DPI; a row steps by it and the gap

    // Align 4 (centred), except that a column docked right sits at the top.
    TButtonsElement(int dock, const TButtonRecord* const* buttons);
    TButtonsElement(int dock, int align, const TButtonRecord* const* buttons);
    template <class... B, class = EnableIfButtons<B...>>
    TButtonsElement(int dock, B... buttons) : TButtonsElement(dock, DefaultAlign(dock), {buttons...})
    {
    }
    template <class... B, class = EnableIfButtons<B...>>
    TButtonsElement(int dock, int align, B... buttons) : TButtonsElement(dock, align, {buttons...})
    {
    }

    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    bool OnCommand(int id, HWND control, int code) override;
    void Enable(bool enable) override;

    static int DefaultAlign(int dock) { return dock == DockRight ? AlignTop : AlignCentre; }
    bool IsRow() const { return Dock == DockTop || Dock == DockBottom; }

protected:
    TButtonsElement(int dock, int align, std::initializer_list<const TButtonRecord*> buttons);
    void AddButtons(const TButtonRecord* const* buttons, size_t count);
    TShape* Shape = nullptr;
};

// TPushButtonElement: one wide push button (182 x 21), docked at the bottom,
// ending the shape with its identifier like a button of a row.
class TPushButtonElement : public TButtonsElement {
public:
    explicit TPushButtonElement(const TButtonRecord& button);
};
