#include "framework/dialogs/without_stereotype_element.h"

#include "framework/dialogs/shape.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/interface_language.h"
#include "framework/settings/registry_values.h"
#include "framework/settings/settings_key.h"
#include "framework/util/key_state.h"

const char WithoutStereotypeLabel[] = "次回からこのメッセージを表示しない(&WITHOUTSTEREOTYPEMESSAGE&)";
const char WithoutStereotypeLabelEnglish[] = "Do not show this message again(&WITHOUTSTEREOTYPEMESSAGE&)";
const char WithoutStereotypeKeyName[] = "WithoutStereotype";

TWithoutStereotypeElement::TWithoutStereotypeElement(int dock, const char* label, bool checked, TElement* attached)
    : TCheckElement(dock, label, checked, attached)
{
}

TWithoutStereotypeElement::TWithoutStereotypeElement(const char* name)
    : TCheckElement(DockBottom, LocalText(WithoutStereotypeLabel, WithoutStereotypeLabelEnglish), false, nullptr)
{
    Align = AlignRight;
    Name.Set(name);
}

void TWithoutStereotypeElement::SaveTo(const TRegistryKeyChain&)
{
}

void TWithoutStereotypeElement::LoadFrom(const TRegistryKeyChain&)
{
}

SIZE TWithoutStereotypeElement::Measure(TShape& shape, HDC dc)
{
    if (Name.Length() == 0)
        Name.Set(shape.SettingsName.Get());
    {
        // An empty name is the subkey's default value.
        TSettingsKey suppressed(AppGlobals.AppKey, WithoutStereotypeKeyName);
        StoredAnswer = TRegDwordValue(&suppressed.Chain(), Name.Get()).Get(0);
    }
    Checked = StoredAnswer != 0;
    ShiftHeld = IsKeyDown(VK_SHIFT);
    if (AnswersItself())
        shape.ShowOnCreate = false;
    return TCheckElement::Measure(shape, dc);
}

void TWithoutStereotypeElement::CreateControls(TShape& shape, int x, int y)
{
    // A remembered answer that no push button of this message gives (or the
    // help button, which answers nothing) would leave the hidden message open
    // for good: the message is shown as if nothing were remembered.
    HWND answer = nullptr;
    if (AnswersItself()) {
        if (StoredAnswer != IDHELP)
            answer = GetDlgItem(shape.Hwnd, static_cast<int>(StoredAnswer));
        if (answer && !(SendMessageW(answer, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            answer = nullptr;
        if (!answer) {
            StoredAnswer = 0;
            Checked = false;
            shape.ShowOnCreate = true;
        }
    }
    TCheckElement::CreateControls(shape, x, y);
    SetWindowContextHelpId(Control.Hwnd, WithoutStereotypeHelpId);
    if (answer) {
        PostMessageW(shape.Hwnd, WM_COMMAND, MAKEWPARAM(StoredAnswer, 0), reinterpret_cast<LPARAM>(answer));
        return;
    }
    shape.ContextHelp = true;
}

void TWithoutStereotypeElement::OnShapeClosed(TShape& shape)
{
    TCheckElement::OnShapeClosed(shape);
    // Cancelling with the box ticked keeps what was remembered.
    if (Checked && shape.Result == IDCANCEL)
        return;
    TSettingsKey suppressed(AppGlobals.AppKey, WithoutStereotypeKeyName);
    TRegDwordValue(&suppressed.Chain(), Name.Get()).Write(Checked ? static_cast<DWORD>(shape.Result) : 0);
}
