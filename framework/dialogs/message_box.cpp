#include "framework/dialogs/message_box.h"

#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/message_element.h"
#include "framework/dialogs/shape_dialog.h"
#include "framework/dialogs/standard_icon_element.h"
#include "framework/dialogs/without_stereotype_element.h"
#include "framework/drawing/icon_caches.h"
#include "framework/settings/interface_language.h"
#include "framework/util/resource_names.h"

int ShowMessage(HWND owner, const char* identifier, int iconId, const char* text, TMessageButtons buttons)
{
    TButtonRecord ok(IDOK, "OK", ResourceIcon(OK_ICON_NAME));
    TButtonRecord cancel(IDCANCEL, LocalText("ｷｬﾝｾﾙ", "Cancel"), ResourceIcon(CANCEL_ICON_NAME));
    TButtonsElement row(DockBottom, &ok, buttons == MessageOkCancel ? &cancel : nullptr, nullptr);
    TMessageElement message(StandardIconElement(iconId), text);
    TWithoutStereotypeElement suppress(identifier);
    return RunShapeDialog(owner, identifier, &row, &message, &suppress, nullptr);
}
