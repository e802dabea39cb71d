#include "framework/util/system_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "framework/util/system_library.h"
#include "framework/util/wide_text.h"

namespace {

const char SoundLibrary[] = "winmm.dll";

typedef BOOL(WINAPI* TPlaySound)(LPCWSTR sound, HMODULE module, DWORD flags);

// The sound library is loaded at the first sound: most runs play none.
bool PlaySoundOnce(const char* sound, DWORD flags)
{
    const TPlaySound play = SystemFunction<TPlaySound>(SoundLibrary, "PlaySoundW");
    return play && play(TWideArgument(sound).Get(), nullptr, flags);
}

}  // namespace

const char* SystemSoundAlias(unsigned int style)
{
    switch (style) {
    case MB_ICONHAND:
        return "SystemHand";
    case MB_ICONQUESTION:
        return "SystemQuestion";
    case MB_ICONEXCLAMATION:
        return "SystemExclamation";
    case MB_ICONASTERISK:
        return "SystemAsterisk";
    default:
        return ".Default";
    }
}

unsigned int IconSoundStyle(int iconId)
{
    switch (iconId) {
    case 32513:  // IDI_HAND
        return MB_ICONHAND;
    case 32514:  // IDI_QUESTION
        return MB_ICONQUESTION;
    case 32515:  // IDI_EXCLAMATION
        return MB_ICONEXCLAMATION;
    case 32516:  // IDI_ASTERISK
        return MB_ICONASTERISK;
    default:
        return 0;
    }
}

void PlaySystemSound(unsigned int style)
{
    PlaySoundOnce(SystemSoundAlias(style), SND_ALIAS | SND_NOWAIT | SND_ASYNC);
}

void StopSystemSound()
{
    // Without the library no sound was started.
    if (IsLibraryLoaded(SoundLibrary))
        PlaySoundOnce(nullptr, SND_ASYNC);
}

void PlayIconSound(int iconId)
{
    PlaySystemSound(IconSoundStyle(iconId));
}
