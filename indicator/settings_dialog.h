// The settings dialog: the choice between the two icon sets, with all eight
// icons of each beside it, the keys the on-screen display shows and the
// interface's language. The
// choice elements belong to the monitor shape, which hands them in; the stored
// values change only when the user confirms.
#pragma once

#include <windows.h>

class TIconSource;
class TLanguageChoice;
class TOnScreenChoice;
class TRadioGroupElement;

// Loads the stored "OnScreen" into `onScreen`, the interface's language into
// `language` and "IconSet" (under the program's key) into `iconSet` (null:
// nothing).
void LoadSettingChoices(TRadioGroupElement* iconSet, TOnScreenChoice& onScreen, TLanguageChoice& language);
// Runs the dialog, owned by `owner` and titled `title`, with `icon` beside the
// choices. True when the user confirmed: the choices are then stored;
// otherwise the stored ones are loaded back into them. `newLanguage` tells
// whether the user chose another language.
bool RunSettingsDialog(HWND owner, const char* title, TIconSource* icon, TRadioGroupElement* iconSet,
                       TOnScreenChoice& onScreen, TLanguageChoice& language, bool& newLanguage);
