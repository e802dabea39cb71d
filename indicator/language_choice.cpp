#include "indicator/language_choice.h"

#include "framework/settings/registry_key.h"
#include "framework/settings/registry_key_chain.h"

TLanguageChoice::TLanguageChoice() : TRadioGroupElement(InterfaceLanguage(), nullptr)
{
    // Each language by its own name, so that either reader finds theirs.
    Options.push_back(TRadioOption(LanguageJapanese, "日本語(&J)"));
    Options.push_back(TRadioOption(LanguageEnglish, "English(&E)"));
    Dock = DockBottom;
    Align = AlignLeft;
    Columns = 2;
    SetCaption("言語 / Language");
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
