// The system's event sounds for message-box styles and system icons.
#pragma once

// The event-sound alias of a message-box icon style: MB_ICONHAND "SystemHand",
// MB_ICONQUESTION "SystemQuestion", MB_ICONEXCLAMATION "SystemExclamation",
// MB_ICONASTERISK "SystemAsterisk", anything else ".Default".
const char* SystemSoundAlias(unsigned int style);
// The message-box style whose sound goes with a system icon (IDI_HAND and so
// on); 0 for any other icon.
unsigned int IconSoundStyle(int iconId);

// Starts the sound without waiting for it (and without cutting a sound short).
// The sound library is loaded at the first sound.
void PlaySystemSound(unsigned int style);
// Stops the sound that is playing, if any.
void StopSystemSound();
void PlayIconSound(int iconId);
