// TLanguageChoice: the settings dialog's choice of the interface's language.
//
// Kept as "Language" (REG_SZ "ja" or "en") under the program's key; without
// it the user's interface language decides (framework/settings/
// interface_language.h). The dialog shows the language in effect, and a
// confirmed choice is stored only when it differs from that one, so that a
// user who never chose keeps following the system.
#pragma once

#include "framework/dialogs/radio_element.h"
#include "framework/settings/interface_language.h"

class TLanguageChoice : public TRadioGroupElement {
public:
    TLanguageChoice();

    // Stores the chosen language when it is not the one in effect, and reads
    // the language again; true when it changed.
    bool Apply(const TRegistryKeyChain& key);
    // Names the choices in the interface's language again.
    void Relabel();
    // Shows the language in effect.
    void LoadFrom(const TRegistryKeyChain& key) override;
    void SaveTo(const TRegistryKeyChain& key) override;
};
