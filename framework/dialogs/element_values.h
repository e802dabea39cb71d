// How elements keep their values in the registry: one REG_DWORD named after
// the element, or a list of texts as REG_SZ values "000000", "000001", ...
// with the chosen one as "SelectText". Nothing is kept for an element without
// a name.
#pragma once

#include <windows.h>

#include "framework/util/list.h"
#include "framework/util/text.h"

#include "framework/settings/settings_key.h"

class TRegistryKeyChain;

// Calls `use` with the chain itself when `subKey` is empty, otherwise with a
// copy of it extended by that subkey, open for the call.
template <class Use>
void WithSubKey(const TRegistryKeyChain& key, const TText& subKey, Use use)
{
    if (subKey.Length() == 0) {
        use(key);
        return;
    }
    TSettingsKey named = TSettingsKey::Extending(key, subKey.Get());
    use(named.Chain());
}

// Into the chain's primary key, and back with a default when the value is
// missing. An element without a name keeps nothing: it saves nothing, and
// its loader leaves the value as it is rather than taking the default.
void SaveDwordSetting(const TRegistryKeyChain& key, const TText& name, DWORD value);
DWORD LoadDwordSetting(const TRegistryKeyChain& key, const TText& name, DWORD defaultValue);

// The texts in the subkey `name` of the chain; values left from a longer list
// are removed, so that loading gives back exactly what was saved.
void SaveTextItems(const TRegistryKeyChain& key, const TText& name, const TStringList& items, const char* selected);
// Reads them back, as long as the numbered values follow each other; a list
// or selection that is missing leaves the element's own.
void LoadTextItems(const TRegistryKeyChain& key, const TText& name, TStringList& items, TText& selected);

extern const char SelectTextValueName[];  // "SelectText"
