#include "framework/dialogs/buttons_element.h"

#include "framework/core/display_text.h"
#include "framework/dialogs/shape.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/icon_source.h"

namespace {

// WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW
const DWORD kButtonStyle = 0x5001000B;

}  // namespace

TButtonRecord::TButtonRecord(int id, const char* label, TIconSource* icon, bool enabled, int helpId)
    : Id(id), Icon(icon), IsDefault(0), Enabled(enabled ? 1 : 0), HelpId(helpId)
{
    DisplayText(Label.Slot(), label ? label : "");
}

TButtonRecord::TButtonRecord(const TButtonRecord& other)
    : Id(other.Id), Label(other.Label.Get()), Icon(other.Icon), Control(other.Control), IsDefault(other.IsDefault),
      Enabled(other.Enabled), HelpId(other.HelpId)
{
}

TButtonRecord& TButtonRecord::operator=(const TButtonRecord& other)
{
    if (this != &other) {
        Id = other.Id;
        Label.Set(other.Label.Get());
        Icon = other.Icon;
        Control = other.Control;
        IsDefault = other.IsDefault;
        Enabled = other.Enabled;
        HelpId = other.HelpId;
    }
    return *this;
}

TButtonsElement::TButtonsElement(int dock, const TButtonRecord* const* buttons)
    : TButtonsElement(dock, DefaultAlign(dock), buttons)
{
}

TButtonsElement::TButtonsElement(int dock, int align, const TButtonRecord* const* buttons) : TElement(dock, align)
{
    size_t count = 0;
    while (buttons && buttons[count])
        ++count;
    AddButtons(buttons, count);
}

TButtonsElement::TButtonsElement(int dock, int align, std::initializer_list<const TButtonRecord*> buttons)
    : TElement(dock, align)
{
    AddButtons(buttons.begin(), buttons.size());
}

void TButtonsElement::AddButtons(const TButtonRecord* const* buttons, size_t count)
{
    for (size_t i = 0; i < count && buttons[i]; ++i) {
        Buttons.push_back(*buttons[i]);
        Buttons.back().Control = TWindow();
        Buttons.back().IsDefault = 0;
    }
}

SIZE TButtonsElement::Measure(TShape& shape, HDC)
{
    for (TButtonRecord& button : Buttons)
        shape.Captions.Register(button.Label);
    const int n = static_cast<int>(Buttons.size());
    const int width = ScaledLength(ItemWidth), height = ScaledLength(ButtonHeight), gap = ScaledLength(ButtonGap);
    if (IsRow())
        return SIZE{n * (width + gap) - gap, height};
    return SIZE{width, n * (height + gap) - gap};
}

void TButtonsElement::CreateControls(TShape& shape, int x, int y)
{
    Shape = &shape;
    const bool mayGiveDefault = MayBeDefault && !FindDefaultPushButton(shape.Hwnd);
    const int width = ScaledLength(ItemWidth), height = ScaledLength(ButtonHeight), gap = ScaledLength(ButtonGap);
    for (size_t i = 0; i < Buttons.size(); ++i) {
        TButtonRecord& button = Buttons[i];
        if (button.Id == -1)
            button.Id = shape.NextId();
        // Before the window exists: its first paint reads the flag.
        button.IsDefault = mayGiveDefault && static_cast<int>(i) == DefaultIndex;
        const int step = static_cast<int>(i);
        const int left = IsRow() ? x + (width + gap) * step : x;
        const int top = IsRow() ? y : y + (height + gap) * step;
        CreateElementControl(shape, button.Control, 0, "TransparentPushButton", button.Label.Get(), kButtonStyle,
                             left, top, width, height, button.Id);
        if (button.Icon && button.Control.Hwnd) {
            SendMessageW(button.Control.Hwnd, WM_SETICON, ICON_SMALL,
                         reinterpret_cast<LPARAM>(button.Icon->GetIcon(0, nullptr)));
            SendMessageW(button.Control.Hwnd, WM_SETICON, ICON_BIG,
                         reinterpret_cast<LPARAM>(button.Icon->GetIcon(1, nullptr)));
        }
    }
    for (TButtonRecord& button : Buttons) {
        if (!button.Control.Hwnd)
            continue;
        if (button.Id != IDHELP && button.HelpId != -1) {
            SetWindowContextHelpId(button.Control.Hwnd, static_cast<DWORD>(button.HelpId));
            shape.ContextHelp = true;
        }
        if (!button.Enabled)
            EnableWindow(button.Control.Hwnd, FALSE);
    }
}

void TButtonsElement::OnShapeClosed(TShape&)
{
    for (TButtonRecord& button : Buttons)
        button.Control = TWindow();
}

bool TButtonsElement::OnCommand(int id, HWND control, int)
{
    for (TButtonRecord& button : Buttons) {
        if (!(control && button.Control.Hwnd == control) && button.Id != id)
            continue;
        if (button.Id == IDHELP) {
            TShape::ShowHelpTopic(Shape ? Shape->Hwnd : nullptr, button.HelpId);
            return true;
        }
        // Through the button's own window: a command that names the button by
        // identifier may come with another window or none.
        TShape::EndShapeOfControl(button.Control.Hwnd, button.Id);
        return true;
    }
    return false;
}

void TButtonsElement::Enable(bool enable)
{
    for (TButtonRecord& button : Buttons)
        if (button.Control.Hwnd)
            EnableWindow(button.Control.Hwnd, enable);
}

TPushButtonElement::TPushButtonElement(const TButtonRecord& button)
    : TButtonsElement(DockBottom, AlignCentre, {&button})
{
    ItemWidth = 182;
}
