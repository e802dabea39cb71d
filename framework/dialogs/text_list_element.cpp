#include "framework/dialogs/text_list_element.h"

#include "framework/dialogs/control_text.h"
#include "framework/dialogs/element_values.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"

namespace {

// At 96 DPI, scaled for the display like the element's own width and height.
const int kComboHeight = 21;
// How far a combo box's list drops down.
const int kDropHeight = 160;

// The messages that fill a list or a combo box and select one of its items.
struct TBoxMessages {
    UINT Reset, Add, FindExact, Select;
};
const TBoxMessages ListBoxMessages = {LB_RESETCONTENT, LB_ADDSTRING, LB_FINDSTRINGEXACT, LB_SETCURSEL};
const TBoxMessages ComboBoxMessages = {CB_RESETCONTENT, CB_ADDSTRING, CB_FINDSTRINGEXACT, CB_SETCURSEL};

// Fills the box with the items and selects the one equal to `select`; the
// index selected, or the box's "not found" answer.
LRESULT FillBox(HWND box, const TBoxMessages& messages, const TStringList& items, const char* select)
{
    SendMessageW(box, messages.Reset, 0, 0);
    for (const TStringList::Node* node = items.First(); node; node = node->next)
        SendTextMessage(box, messages.Add, 0, node->value);
    const LRESULT index = SendTextMessage(box, messages.FindExact, static_cast<WPARAM>(-1), select);
    SendMessageW(box, messages.Select, static_cast<WPARAM>(index), 0);
    return index;
}

}  // namespace

TTextListElement::TTextListElement(int dock, int width, int height)
    : TElement(dock, AlignCentre), Width(width), Height(height)
{
}

void TTextListElement::SaveTo(const TRegistryKeyChain& key)
{
    SaveTextItems(key, Name, Items, SelectText.Get());
}

void TTextListElement::LoadFrom(const TRegistryKeyChain& key)
{
    LoadTextItems(key, Name, Items, SelectText);
}

SIZE TTextListElement::Measure(TShape&, HDC)
{
    return SIZE{ScaledLength(Width), ScaledLength(Height)};
}

void TTextListElement::OnShapeClosed(TShape&)
{
    Control = TWindow();
}

void TTextListElement::Enable(bool enable)
{
    if (Control.Hwnd)
        EnableWindow(Control.Hwnd, enable);
}

void TListBoxElement::CreateControls(TShape& shape, int x, int y)
{
    Shape = &shape;
    CreateElementControl(shape, Control, WS_EX_CLIENTEDGE, "LISTBOX", "",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, x, y,
                         ScaledLength(Width), ScaledLength(Height), shape.NextId());
    ToControls();
}

bool TListBoxElement::OnCommand(int, HWND control, int code)
{
    if (!control || control != Control.Hwnd)
        return false;
    if (code == LBN_SELCHANGE) {
        FromControls();
        if (Shape)
            Shape->OnElementChanged(this);
    }
    return true;
}

void TListBoxElement::ToControls()
{
    if (!Control.Hwnd)
        return;
    FillBox(Control.Hwnd, ListBoxMessages, Items, SelectText.Get());
}

void TListBoxElement::FromControls()
{
    if (!Control.Hwnd)
        return;
    const LRESULT index = SendMessageW(Control.Hwnd, LB_GETCURSEL, 0, 0);
    if (index != LB_ERR)
        SelectText = ReadTextMessage(Control.Hwnd, LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(index));
}

TComboBoxElement::TComboBoxElement(int dock, int width, bool editable)
    : TTextListElement(dock, width, kComboHeight), Editable(editable)
{
}

void TComboBoxElement::CreateControls(TShape& shape, int x, int y)
{
    Shape = &shape;
    CreateElementControl(shape, Control, WS_EX_CLIENTEDGE, "COMBOBOX", "",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                             (Editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST),
                         x, y, ScaledLength(Width), ScaledLength(Height + kDropHeight), shape.NextId());
    ToControls();
}

bool TComboBoxElement::OnCommand(int, HWND control, int code)
{
    if (!control || control != Control.Hwnd)
        return false;
    if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
        if (code == CBN_SELCHANGE) {
            const LRESULT index = SendMessageW(Control.Hwnd, CB_GETCURSEL, 0, 0);
            if (index != CB_ERR)
                SelectText = ReadTextMessage(Control.Hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(index));
        } else {
            FromControls();
        }
        if (Shape)
            Shape->OnElementChanged(this);
    }
    return true;
}

void TComboBoxElement::ToControls()
{
    if (!Control.Hwnd)
        return;
    const LRESULT index = FillBox(Control.Hwnd, ComboBoxMessages, Items, SelectText.Get());
    if (Editable && index == CB_ERR)
        SetControlText(Control.Hwnd, SelectText.Get());
}

void TComboBoxElement::FromControls()
{
    if (!Control.Hwnd)
        return;
    SelectText = ControlText(Control.Hwnd);
}
