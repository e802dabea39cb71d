#include "indicator/settings_dialog.h"

#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/radio_element.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/icon_caches.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/interface_language.h"
#include "framework/settings/settings_key.h"
#include "framework/util/resource_names.h"
#include "indicator/language_choice.h"
#include "indicator/on_screen_choice.h"

void LoadSettingChoices(TRadioGroupElement* iconSet, TOnScreenChoice& onScreen, TLanguageChoice& language)
{
    TSettingsKey appKey(AppGlobals.AppKey, nullptr);
    onScreen.LoadFrom(appKey.Chain());
    language.LoadFrom(appKey.Chain());
    if (!iconSet)
        return;
    iconSet->LoadFrom(appKey.Chain());
    // Any value but 0 shows set B, so the dialog marks that choice for it; the
    // stored value itself changes only when the user confirms the dialog.
    if (iconSet->Value != 0)
        iconSet->Value = 1;
}

bool RunSettingsDialog(HWND owner, const char* title, TIconSource* icon, TRadioGroupElement* iconSet,
                       TOnScreenChoice& onScreen, TLanguageChoice& language, bool& newLanguage)
{
    newLanguage = false;
    TButtonRecord ok(IDOK, "OK", ResourceIcon(OK_ICON_NAME));
    TButtonRecord cancel(IDCANCEL, LocalText("ｷｬﾝｾﾙ", "Cancel"), ResourceIcon(CANCEL_ICON_NAME));
    TButtonsElement buttons(DockBottom, AlignRight, &ok, &cancel);
    TIconElement iconElement(icon);
    TShape dialog(owner, title);
    dialog.SettingsName.Set("SmithShape");
    if (dialog.RunModal(&buttons, &iconElement, &language, &onScreen, iconSet) != IDOK) {
        // An unconfirmed choice is dropped: the next opening shows the stored ones.
        LoadSettingChoices(iconSet, onScreen, language);
        return false;
    }
    TSettingsKey appKey(AppGlobals.AppKey, nullptr);
    iconSet->SaveTo(appKey.Chain());
    onScreen.SaveTo(appKey.Chain());
    newLanguage = language.Apply(appKey.Chain());
    return true;
}
