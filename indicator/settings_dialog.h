// The settings dialog: the choice between the two icon sets, with all eight
// icons of each beside it. The choice element belongs to the monitor shape,
// which hands it in; the stored value changes only when the user confirms.
#pragma once

#include <windows.h>

class TIconSource;
class TRadioGroupElement;

// Loads the stored choice ("IconSet" under the program's key) into `choice`
// (null: nothing).
void LoadIconSetChoice(TRadioGroupElement* choice);
// Runs the dialog, owned by `owner` and titled `title`, with `icon` beside the
// choice. True when the user confirmed: the choice is then stored; otherwise
// the stored one is loaded back into it.
bool RunSettingsDialog(HWND owner, const char* title, TIconSource* icon, TRadioGroupElement* choice);
