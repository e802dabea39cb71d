// The settings dialog: the choice between the two icon sets, with all eight
// icons of each beside it, the keys the on-screen display shows and the
// interface's language. The
// choice elements belong to the monitor shape; the stored values change only
// when the user confirms.
#include "framework/core/display_text.h"
#include "framework/core/menu_item.h"
#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/radio_element.h"
#include "framework/dialogs/version_info.h"
#include "framework/drawing/icon_caches.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/interface_language.h"
#include "framework/settings/interface_language.h"
#include "framework/settings/settings_key.h"
#include "framework/util/resource_names.h"
#include "indicator/indicator_shape.h"

void TIndicatorShape::LoadSettings()
{
    TSettingsKey appKey(AppGlobals.AppKey, nullptr);
    OnScreenChoice.LoadFrom(appKey.Chain());
    LanguageChoice.LoadFrom(appKey.Chain());
    if (!IconSetChoice)
        return;
    IconSetChoice->LoadFrom(appKey.Chain());
    // Any value but 0 shows set B, so the dialog marks that choice for it; the
    // stored value itself changes only when the user confirms the dialog.
    if (IconSetChoice->Value != 0)
        IconSetChoice->Value = 1;
}

void TIndicatorShape::ApplyIconSet()
{
    CurrentIconSet = IconSetChoice && IconSetChoice->Value != 0 ? IconSetB : IconSetA;
    UpdateTrayIcon(true, GetStateIndex());
    TMenuItem* const items[] = {NumLockItem, CapsLockItem, ScrollLockItem};
    const int pictures[] = {4, 2, 1};  // each lock on alone
    for (int i = 0; i < 3; ++i)
        if (items[i])
            items[i]->Icon = CurrentIconSet[pictures[i]];
}

void TIndicatorShape::ApplyLanguage()
{
    LoadTrayMenu();
    OnScreenChoice.Relabel();
    if (CurrentVersionInfo)
        CurrentVersionInfo->Relabel();
}

void TIndicatorShape::ShowSettings()
{
    TText title;
    DisplayText(title.Slot(), LocalText("Pelorum 設定", "Pelorum Settings"));
    if (BringShapeForward(title.Get()) || !IconSetChoice)
        return;

    TButtonRecord ok(IDOK, "OK", ResourceIcon(OK_ICON_NAME));
    TButtonRecord cancel(IDCANCEL, LocalText("ｷｬﾝｾﾙ", "Cancel"), ResourceIcon(CANCEL_ICON_NAME));
    TButtonsElement buttons(DockBottom, AlignRight, &ok, &cancel);
    TIconElement icon(SettingsCommandIcon());
    TShape dialog(Hwnd, title.Get());
    dialog.SettingsName.Set("SmithShape");
    if (dialog.RunModal(&buttons, &icon, &LanguageChoice, &OnScreenChoice, IconSetChoice) == IDOK) {
        bool newLanguage;
        {
            TSettingsKey appKey(AppGlobals.AppKey, nullptr);
            IconSetChoice->SaveTo(appKey.Chain());
            OnScreenChoice.SaveTo(appKey.Chain());
            newLanguage = LanguageChoice.Apply(appKey.Chain());
        }
        if (newLanguage)
            ApplyLanguage();
        ApplyIconSet();
    } else {
        // An unconfirmed choice is dropped: the next opening shows the stored ones.
        LoadSettings();
    }
}
