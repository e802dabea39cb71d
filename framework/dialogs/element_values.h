// How elements keep their values in the registry: one REG_DWORD named after
// the element, or a list of texts as REG_SZ values "000000", "000001", ...
// with the chosen one as "SelectText". Nothing is kept for an element without
// a name.
#pragma once

#include <windows.h>

#include "framework/util/list.h"
#include "framework/util/text.h"

class TRegistryKeyChain;

// Into the chain's primary key, and back with a default when the value is missing.
void SaveDwordSetting(const TRegistryKeyChain& key, const TText& name, DWORD value);
DWORD LoadDwordSetting(const TRegistryKeyChain& key, const TText& name, DWORD defaultValue);

// The texts in the subkey `name` of the chain; values left from a longer list
// are removed, so that loading gives back exactly what was saved.
void SaveTextItems(const TRegistryKeyChain& key, const TText& name, const TStringList& items, const char* selected);
// Reads them back, as long as the numbered values follow each other; a list
// or selection that is missing leaves the element's own.
void LoadTextItems(const TRegistryKeyChain& key, const TText& name, TStringList& items, TText& selected);

extern const char SelectTextValueName[];  // "SelectText"
