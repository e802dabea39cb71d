#include "framework/dialogs/radio_element.h"

#include <algorithm>

#include "framework/core/display_text.h"
#include "framework/dialogs/check_element.h"
#include "framework/dialogs/element_values.h"
#include "framework/dialogs/group_element.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"

namespace {

const DWORD kFrameStyle = 0x40020007;  // WS_CHILD | WS_GROUP | BS_GROUPBOX; WS_VISIBLE with a caption
// WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_AUTORADIOBUTTON
const DWORD kOptionStyle = 0x50014009;
// Lengths at 96 DPI, scaled for the display.
const int kRowHeight = 18;
const int kColumnGap = 6;
const int kIndent = 18;

// An option's width as shown: measured, or given at 96 DPI.
int ShownItemWidth(const TRadioGroupElement& group)
{
    return group.AutoWidth ? group.ItemWidth : ScaledLength(group.ItemWidth);
}

}  // namespace

TRadioOption::TRadioOption(int value, const char* label, TElement* attached) : Value(value), Attached(attached)
{
    DisplayText(Label.Slot(), label ? label : "");
}

TRadioOption::TRadioOption(const TRadioOption& other)
    : Value(other.Value), Label(other.Label.Get()), Control(other.Control), Attached(other.Attached),
      AttachedWidth(other.AttachedWidth), AttachedHeight(other.AttachedHeight)
{
}

TRadioOption& TRadioOption::operator=(const TRadioOption& other)
{
    if (this != &other) {
        Value = other.Value;
        Label.Set(other.Label.Get());
        Control = other.Control;
        Attached = other.Attached;
        AttachedWidth = other.AttachedWidth;
        AttachedHeight = other.AttachedHeight;
    }
    return *this;
}

TRadioGroupElement::TRadioGroupElement(int value, const TRadioOption* const* options)
    : TElement(DockFill, AlignCentre), Value(value), DefaultValue(value)
{
    size_t count = 0;
    while (options && options[count])
        ++count;
    AddOptions(options, count);
}

TRadioGroupElement::TRadioGroupElement(int value, std::initializer_list<const TRadioOption*> options)
    : TElement(DockFill, AlignCentre), Value(value), DefaultValue(value)
{
    AddOptions(options.begin(), options.size());
}

void TRadioGroupElement::AddOptions(const TRadioOption* const* options, size_t count)
{
    for (size_t i = 0; i < count && options[i]; ++i) {
        Options.push_back(*options[i]);
        Options.back().Control = TWindow();
    }
}

void TRadioGroupElement::SetCaption(const char* caption)
{
    DisplayText(Caption.Slot(), caption ? caption : "");
}

int TRadioGroupElement::RowCount() const
{
    const int n = static_cast<int>(Options.size());
    return n > 0 ? (n - 1) / ColumnCount() + 1 : 0;
}

void TRadioGroupElement::SaveTo(const TRegistryKeyChain& key)
{
    SaveDwordSetting(key, Name, static_cast<DWORD>(Value));
    for (TRadioOption& option : Options)
        if (option.Attached)
            option.Attached->SaveTo(key);
}

void TRadioGroupElement::LoadFrom(const TRegistryKeyChain& key)
{
    if (Name.Length() > 0)
        Value = static_cast<int>(LoadDwordSetting(key, Name, static_cast<DWORD>(DefaultValue)));
    for (TRadioOption& option : Options)
        if (option.Attached)
            option.Attached->LoadFrom(key);
}

SIZE TRadioGroupElement::Measure(TShape& shape, HDC dc)
{
    const int columns = ColumnCount(), rows = RowCount();
    if (Caption.Length() > 0)
        shape.Captions.Register(Caption);
    for (TRadioOption& option : Options)
        shape.Captions.Register(option.Label);
    if (AutoWidth) {
        int widest = 0;
        for (TRadioOption& option : Options)
            widest = std::max(widest, CaptionWidth(dc, option.Label.Get()));
        ItemWidth = widest + ScaledLength(ButtonLabelIndent);
    }
    const int itemWidth = ShownItemWidth(*this);
    const int baseWidth = columns * itemWidth + (columns - 1) * ScaledLength(kColumnGap);
    const int baseHeight = rows * ScaledLength(kRowHeight);
    ColumnExtra.assign(static_cast<size_t>(columns), 0);
    RowExtra.assign(static_cast<size_t>(rows), 0);
    for (size_t i = 0; i < Options.size(); ++i) {
        TRadioOption& option = Options[i];
        if (!option.Attached)
            continue;
        option.Attached->SetGap(0, 0);
        const SIZE size = option.Attached->Measure(shape, dc);
        option.AttachedWidth = size.cx;
        option.AttachedHeight = size.cy;
        const size_t column = i / static_cast<size_t>(rows), row = i % static_cast<size_t>(rows);
        // Measured against the option's own column: an attached element
        // wider than its column pushes the next column to the right instead
        // of running under its options.
        ColumnExtra[column] =
            std::max(ColumnExtra[column], static_cast<int>(size.cx) + ScaledLength(kIndent) - itemWidth);
        RowExtra[row] = std::max(RowExtra[row], static_cast<int>(size.cy));
    }
    Width = baseWidth;
    Height = baseHeight;
    for (int extra : ColumnExtra)
        Width += extra;
    for (int extra : RowExtra)
        Height += extra;
    if (Caption.Length() > 0) {
        Width += ScaledLength(GroupBoxExtraWidth);
        Height += ScaledLength(GroupBoxExtraHeight);
    }
    return SIZE{Width, Height};
}

void TRadioGroupElement::CreateControls(TShape& shape, int x, int y)
{
    Shape = &shape;
    const bool framed = Caption.Length() > 0;
    CreateElementControl(shape, FrameWindow, 0, "TransparentButton", Caption.Get(),
                         framed ? kFrameStyle | WS_VISIBLE : kFrameStyle, x, y, Width, Height, shape.NextId());
    const int rows = RowCount();
    const int inset = framed ? ScaledLength(GroupBoxInset) : 0;
    const int left = x + inset, top = y + inset;
    const int itemWidth = ShownItemWidth(*this), rowHeight = ScaledLength(kRowHeight);
    std::vector<POINT> at(Options.size());
    int columnX = left;
    for (size_t i = 0; i < Options.size(); ++i) {
        const size_t column = i / static_cast<size_t>(rows), row = i % static_cast<size_t>(rows);
        if (row == 0 && column > 0)
            columnX += itemWidth + ScaledLength(kColumnGap) + ColumnExtra[column - 1];
        at[i].x = columnX;
        at[i].y = row == 0 ? top : at[i - 1].y + rowHeight + RowExtra[row - 1];
        TRadioOption& option = Options[i];
        CreateElementControl(shape, option.Control, 0, "TransparentButton", option.Label.Get(), kOptionStyle, at[i].x,
                             at[i].y, itemWidth, rowHeight, shape.NextId());
        SendMessageW(option.Control.Hwnd, BM_SETCHECK, option.Value == Value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    for (size_t i = 0; i < Options.size(); ++i) {
        TRadioOption& option = Options[i];
        if (!option.Attached)
            continue;
        option.Attached->CreateControls(shape, at[i].x + ScaledLength(kIndent), at[i].y + rowHeight);
        option.Attached->Enable(option.Value == Value);
    }
    if (framed && FrameWindow.Hwnd)
        SetWindowPos(FrameWindow.Hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TRadioGroupElement::OnShapeClosed(TShape& shape)
{
    FrameWindow = TWindow();
    for (TRadioOption& option : Options) {
        option.Control = TWindow();
        if (option.Attached)
            option.Attached->OnShapeClosed(shape);
    }
}

void TRadioGroupElement::Paint(TShape& shape, HDC dc)
{
    for (TRadioOption& option : Options)
        if (option.Attached)
            option.Attached->Paint(shape, dc);
}

bool TRadioGroupElement::IsOwnOption(HWND control) const
{
    for (const TRadioOption& option : Options)
        if (control && option.Control.Hwnd == control)
            return true;
    return false;
}

void TRadioGroupElement::ShowCurrent()
{
    for (TRadioOption& option : Options) {
        if (option.Control.Hwnd)
            SendMessageW(option.Control.Hwnd, BM_SETCHECK, option.Value == Value ? BST_CHECKED : BST_UNCHECKED, 0);
        if (option.Attached)
            option.Attached->Enable(option.Value == Value);
    }
}

bool TRadioGroupElement::OnCommand(int id, HWND control, int code)
{
    for (TRadioOption& option : Options) {
        if (!control || option.Control.Hwnd != control)
            continue;
        if (code != BN_CLICKED || option.Value == Value)
            return true;
        Value = option.Value;
        ShowCurrent();
        if (Shape)
            Shape->OnElementChanged(this);
        return true;
    }
    for (TRadioOption& option : Options)
        if (option.Attached)
            option.Attached->OnCommand(id, control, code);
    return false;
}

bool TRadioGroupElement::OnContextMenu(TShape& shape, HWND window, int x, int y)
{
    for (TRadioOption& option : Options)
        if (option.Attached && option.Attached->OnContextMenu(shape, window, x, y))
            return true;
    return false;
}

bool TRadioGroupElement::OnNotify(WPARAM wParam, LPARAM lParam)
{
    for (TRadioOption& option : Options)
        if (option.Attached && option.Attached->OnNotify(wParam, lParam))
            return true;
    return false;
}

bool TRadioGroupElement::OnScroll(int code, int position, HWND control)
{
    for (TRadioOption& option : Options)
        if (option.Attached && option.Attached->OnScroll(code, position, control))
            return true;
    return false;
}

void TRadioGroupElement::Enable(bool enable)
{
    for (TRadioOption& option : Options) {
        if (option.Control.Hwnd)
            EnableWindow(option.Control.Hwnd, enable);
        if (option.Attached)
            option.Attached->Enable(enable && option.Value == Value);
    }
}

void TRadioGroupElement::ToControls()
{
    for (TRadioOption& option : Options)
        if (option.Attached)
            option.Attached->ToControls();
    ShowCurrent();
}

void TRadioGroupElement::FromControls()
{
    for (TRadioOption& option : Options) {
        if (option.Control.Hwnd && SendMessageW(option.Control.Hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            Value = option.Value;
            break;
        }
    }
    for (TRadioOption& option : Options)
        if (option.Attached)
            option.Attached->FromControls();
}

bool TRadioChoiceElement::OnCommand(int id, HWND control, int code)
{
    if (!TRadioGroupElement::OnCommand(id, control, code))
        return false;
    if (code == BN_DOUBLECLICKED && IsOwnOption(control) && Shape && Shape->Hwnd)
        PostMessageW(Shape->Hwnd, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(Shape->Hwnd, IDOK)));
    return true;
}
