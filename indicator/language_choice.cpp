#include "indicator/language_choice.h"

#include "framework/core/display_text.h"
#include "framework/settings/registry_key.h"
#include "framework/settings/registry_key_chain.h"

namespace {

// Each language by its own name, so that either reader finds theirs; in the
// English interface Japanese is named in English too, for a system whose
// fonts lack the Japanese letters.
const char* const JapaneseOption[] = {"日本語(&J)", "&Japanese (日本語)"};
const char* const EnglishOption = "English(&E)";
const char* const ChoiceCaption[] = {"言語 / Language", "Language"};

}  // namespace

TLanguageChoice::TLanguageChoice() : TRadioGroupElement(InterfaceLanguage(), nullptr)
{
    Options.push_back(TRadioOption(LanguageJapanese, LocalText(JapaneseOption)));
    Options.push_back(TRadioOption(LanguageEnglish, EnglishOption));
    Dock = DockBottom;
    Align = AlignLeft;
    Columns = 2;
    SetCaption(LocalText(ChoiceCaption));
}

void TLanguageChoice::Relabel()
{
    SetCaption(LocalText(ChoiceCaption));
    DisplayText(Options[0].Label.Slot(), LocalText(JapaneseOption));
}

bool TLanguageChoice::Apply(const TRegistryKeyChain& key)
{
    const TInterfaceLanguage chosen = Value == LanguageEnglish ? LanguageEnglish : LanguageJapanese;
    if (chosen == InterfaceLanguage())
        return false;
    SaveTo(key);
    ReadInterfaceLanguage();
    return InterfaceLanguage() == chosen;
}

void TLanguageChoice::LoadFrom(const TRegistryKeyChain&)
{
    Value = InterfaceLanguage();
}

void TLanguageChoice::SaveTo(const TRegistryKeyChain& key)
{
    WriteString(key.LastHandle(), InterfaceLanguageValueName,
                InterfaceLanguageCode(Value == LanguageEnglish ? LanguageEnglish : LanguageJapanese));
}
