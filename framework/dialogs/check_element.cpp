#include "framework/dialogs/check_element.h"

#include <algorithm>

#include "framework/core/display_text.h"
#include "framework/dialogs/element_values.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"

namespace {

// WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX
const DWORD kCheckStyle = 0x50010003;
// Lengths at 96 DPI, scaled for the display. An attached element below the
// box is indented by the box's width.
const int kIndent = 18;
const int kBesideGap = 6;

// The label's width as shown: measured, or given at 96 DPI.
int ShownLabelWidth(const TCheckElement& check)
{
    return check.AutoWidth ? check.LabelWidth : ScaledLength(check.LabelWidth);
}

}  // namespace

TCheckElement::TCheckElement(int dock, const char* label, bool checked, TElement* attached)
    : TElement(dock, AlignCentre), Checked(checked), DefaultChecked(checked), Attached(attached), AutoWidth(true)
{
    DisplayText(Label.Slot(), label ? label : "");
}

TCheckElement::TCheckElement(int dock, int width, const char* label, bool checked, TElement* attached)
    : TCheckElement(dock, label, checked, attached)
{
    AutoWidth = false;
    LabelWidth = width;
}

bool TCheckElement::IsBeside() const
{
    return Attached && (Attached->Dock == DockRight || Attached->Dock == DockTop);
}

void TCheckElement::SaveTo(const TRegistryKeyChain& key)
{
    SaveDwordSetting(key, Name, Checked ? 1 : 0);
    if (Attached)
        Attached->SaveTo(key);
}

void TCheckElement::LoadFrom(const TRegistryKeyChain& key)
{
    if (Name.Length() > 0)
        Checked = LoadDwordSetting(key, Name, DefaultChecked ? 1 : 0) != 0;
    if (Attached)
        Attached->LoadFrom(key);
}

void TCheckElement::SetGap(int x, int y)
{
    if (Attached)
        Attached->SetGap(x, y);
}

SIZE TCheckElement::Measure(TShape& shape, HDC dc)
{
    shape.Captions.Register(Label);
    if (AutoWidth)
        LabelWidth = CaptionWidth(dc, Label.Get()) + ScaledLength(ButtonLabelIndent);
    const int labelWidth = ShownLabelWidth(*this), rowHeight = ScaledLength(RowHeight);
    if (!Attached)
        return SIZE{labelWidth, rowHeight};
    const SIZE attached = Attached->Measure(shape, dc);
    int extraWidth, extraHeight;
    if (IsBeside()) {
        extraWidth = attached.cx + ScaledLength(kBesideGap);
        extraHeight = attached.cy - rowHeight;
    } else {
        extraWidth = attached.cx + ScaledLength(kIndent) - labelWidth;
        extraHeight = attached.cy + ScaledLength(kBesideGap);
    }
    return SIZE{labelWidth + std::max(0, extraWidth), rowHeight + extraHeight};
}

void TCheckElement::CreateControls(TShape& shape, int x, int y)
{
    Shape = &shape;
    const int labelWidth = ShownLabelWidth(*this), rowHeight = ScaledLength(RowHeight);
    CreateElementControl(shape, Control, 0, "TransparentButton", Label.Get(), kCheckStyle, x, y, labelWidth,
                         rowHeight, shape.NextId());
    if (Attached) {
        if (IsBeside())
            Attached->CreateControls(shape, x + labelWidth + ScaledLength(kBesideGap), y);
        else
            Attached->CreateControls(shape, x + ScaledLength(kIndent), y + rowHeight);
        Attached->Enable(Checked);
    }
    SendMessageW(Control.Hwnd, BM_SETCHECK, Checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckElement::OnShapeClosed(TShape& shape)
{
    Control = TWindow();
    if (Attached)
        Attached->OnShapeClosed(shape);
}

void TCheckElement::Paint(TShape& shape, HDC dc)
{
    if (Attached)
        Attached->Paint(shape, dc);
}

bool TCheckElement::OnCommand(int id, HWND control, int code)
{
    if (!control || control != Control.Hwnd) {
        if (Attached)
            Attached->OnCommand(id, control, code);
        return false;
    }
    const bool checked = SendMessageW(Control.Hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked == Checked)
        return true;
    Checked = checked;
    if (Attached)
        Attached->Enable(Checked);
    if (Shape)
        Shape->OnElementChanged(this);
    return true;
}

bool TCheckElement::OnContextMenu(TShape& shape, HWND window, int x, int y)
{
    return Attached && Attached->OnContextMenu(shape, window, x, y);
}

bool TCheckElement::OnNotify(WPARAM wParam, LPARAM lParam)
{
    return Attached && Attached->OnNotify(wParam, lParam);
}

bool TCheckElement::OnScroll(int code, int position, HWND control)
{
    return Attached && Attached->OnScroll(code, position, control);
}

void TCheckElement::Enable(bool enable)
{
    if (Control.Hwnd)
        EnableWindow(Control.Hwnd, enable);
    if (Attached)
        Attached->Enable(enable && Checked);
}

void TCheckElement::ToControls()
{
    if (Control.Hwnd)
        SendMessageW(Control.Hwnd, BM_SETCHECK, Checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (Attached) {
        Attached->ToControls();
        Attached->Enable(Checked);
    }
}

void TCheckElement::FromControls()
{
    if (Control.Hwnd)
        Checked = SendMessageW(Control.Hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (Attached)
        Attached->FromControls();
}
