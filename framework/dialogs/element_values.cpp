#include "framework/dialogs/element_values.h"

#include "framework/settings/registry_values.h"
#include "framework/util/wide_text.h"

const char SelectTextValueName[] = "SelectText";

namespace {

// The six-digit value name of an item.
TText ItemName(int index)
{
    TText name;
    StrFormat(name.Slot(), 16, "%6.6d", index);
    return name;
}

// The most items a list keeps: what six digits can number.
const int kMostItems = 1000000;

}  // namespace

void SaveDwordSetting(const TRegistryKeyChain& key, const TText& name, DWORD value)
{
    if (name.Length() > 0)
        TRegDwordValue(&key, name.Get()).Write(value);
}

DWORD LoadDwordSetting(const TRegistryKeyChain& key, const TText& name, DWORD defaultValue)
{
    return name.Length() > 0 ? TRegDwordValue(&key, name.Get()).Get(defaultValue) : defaultValue;
}

void SaveTextItems(const TRegistryKeyChain& key, const TText& name, const TStringList& items, const char* selected)
{
    if (name.Length() == 0)
        return;
    TSettingsKey list = TSettingsKey::Extending(key, name.Get());
    int index = 0;
    for (TStringList::Node* node = items.First(); node && index < kMostItems; node = node->next, ++index)
        TRegStringValue(&list.Chain(), ItemName(index).Get()).Write(node->value);
    // Only the subkey's own values go: the chain would find the parent's too.
    for (; index < kMostItems; ++index) {
        if (RegDeleteValueW(list.Handle(), WideText(ItemName(index).Get()).c_str()) != ERROR_SUCCESS)
            break;
    }
    TRegStringValue(&list.Chain(), SelectTextValueName).Write(selected ? selected : "");
}

void LoadTextItems(const TRegistryKeyChain& key, const TText& name, TStringList& items, TText& selected)
{
    if (name.Length() == 0)
        return;
    TSettingsKey list = TSettingsKey::Extending(key, name.Get());
    if (!list.IsOpen())
        return;
    TStringList loaded;
    for (int index = 0; index < kMostItems; ++index) {
        const TText itemName = ItemName(index);
        DWORD type = 0;
        if (RegQueryValueExW(list.Handle(), WideText(itemName.Get()).c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        TText item;
        TRegStringValue(&list.Chain(), itemName.Get()).Get(item.Slot());
        loaded.Add(item.Get());
    }
    if (loaded.Count() > 0)
        items = loaded;
    TRegStringValue selection(&list.Chain(), SelectTextValueName);
    if (RegQueryValueExW(list.Handle(), WideText(SelectTextValueName).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        selection.Get(selected.Slot());
}
