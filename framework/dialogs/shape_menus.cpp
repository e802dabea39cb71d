// The shape's menus: the system menu with its extras, and the one-item
// context-help popup.
#include <windows.h>

#include "framework/dialogs/button_painter.h"
#include "framework/dialogs/shape.h"

namespace {

const UINT kHelpPopupCommand = 9999;
const char kHelpItemText[] = "ヘルプ(&H)";

}  // namespace

void TShape::AttachSystemMenu() {}

void TShape::CreateHelpMenu()
{
    DeleteHelpMenu();
    HelpPopup = CreatePopupMenu();
    if (HelpPopup)
        AppendMenuA(HelpPopup, MF_STRING, kHelpPopupCommand, kHelpItemText);
}

void TShape::DeleteHelpMenu()
{
    if (HelpPopup)
        DestroyMenu(HelpPopup);
    HelpPopup = nullptr;
}

void TShape::DeleteSystemMenu() {}

bool TShape::OnMenuMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message == WM_DRAWITEM && DrawTransparentItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
        result = TRUE;
        return true;
    }
    return false;
}
