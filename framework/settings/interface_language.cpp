#include "framework/settings/interface_language.h"

#include <windows.h>

#include <cstring>

#include "framework/settings/app_globals.h"
#include "framework/settings/registry_key.h"
#include "framework/settings/settings_key.h"
#include "framework/util/text.h"

const char InterfaceLanguageValueName[] = "Language";

namespace {

// -1 until read; constant-initialised, so that no start-up code is needed.
__constinit int interfaceLanguage = -1;

const char* const LanguageCodes[] = {"ja", "en"};

// The user's own choice, -1 when the program's key holds none it knows.
int StoredLanguage()
{
    if (!AppGlobals.AppKey)
        return -1;
    TSettingsKey appKey(AppGlobals.AppKey, nullptr);
    TText code;
    if (ReadString(appKey.Handle(), InterfaceLanguageValueName, code.Slot()) != ERROR_SUCCESS)
        return -1;
    for (int language : {LanguageJapanese, LanguageEnglish})
        if (lstrcmpiA(code.Get(), LanguageCodes[language]) == 0)
            return language;
    return -1;
}

}  // namespace

const char* InterfaceLanguageCode(TInterfaceLanguage language)
{
    return LanguageCodes[language == LanguageEnglish ? 1 : 0];
}

void ReadInterfaceLanguage()
{
    const int stored = StoredLanguage();
    if (stored >= 0)
        interfaceLanguage = stored;
    else
        interfaceLanguage =
            PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? LanguageJapanese : LanguageEnglish;
}

TInterfaceLanguage InterfaceLanguage()
{
    if (interfaceLanguage < 0)
        ReadInterfaceLanguage();
    return static_cast<TInterfaceLanguage>(interfaceLanguage);
}

const char* LocalText(const char* japanese, const char* english)
{
    return InterfaceLanguage() == LanguageEnglish ? english : japanese;
}
