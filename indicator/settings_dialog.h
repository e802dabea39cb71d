// The settings dialog: the choice between the two icon sets, with all eight
// icons of each beside it, and the keys the on-screen display shows. The
// choice elements belong to the monitor shape, which hands them in; the stored
// values change only when the user confirms.
#pragma once

#include <windows.h>

class TIconSource;
class TOnScreenChoice;
class TRadioGroupElement;

// Loads the stored "OnScreen" into `onScreen` and "IconSet" (under the
// program's key) into `iconSet` (null: nothing).
void LoadSettingChoices(TRadioGroupElement* iconSet, TOnScreenChoice& onScreen);
// Runs the dialog, owned by `owner` and titled `title`, with `icon` beside the
// choices. True when the user confirmed: the choices are then stored;
// otherwise the stored ones are loaded back into them.
bool RunSettingsDialog(HWND owner, const char* title, TIconSource* icon, TRadioGroupElement* iconSet,
                       TOnScreenChoice& onScreen);
