// The language the program speaks to its user: Japanese or English.
//
// The value "Language" under the program's key (REG_SZ "ja" or "en") decides
// when it holds one of the two; otherwise the user's interface language does:
// Japanese when it is Japanese, English for any other. Every text the user
// sees is written in both and chosen by LocalText; the English ones are plain
// ASCII, so they read the same in any code page.
#pragma once

enum TInterfaceLanguage : int {
    LanguageJapanese = 0,
    LanguageEnglish = 1,
};

// The value's name and its two texts.
extern const char InterfaceLanguageValueName[];  // "Language"
const char* InterfaceLanguageCode(TInterfaceLanguage language);  // "ja", "en"

// Reads the language: the program's entry does so before any other thread
// starts, the settings dialog again once the user has chosen; without either,
// the first InterfaceLanguage does.
void ReadInterfaceLanguage();
TInterfaceLanguage InterfaceLanguage();

// The text of the current language.
const char* LocalText(const char* japanese, const char* english);
// The same for a pair written {japanese, english}.
inline const char* LocalText(const char* const (&texts)[2])
{
    return LocalText(texts[0], texts[1]);
}
