#include "framework/settings/settings_key.h"

namespace {

inline void KeepFirst(LONG& first, LONG result)
{
    if (first == ERROR_SUCCESS)
        first = result;
}

}  // namespace

TSettingsKey::TSettingsKey(const TRegistryKeyChain* base, const char* subKey)
{
    if (!base || base->Count() == 0) {
        result_ = ERROR_INVALID_HANDLE;
        return;
    }
    if (!subKey || !subKey[0]) {
        inner_ = *base;
        result_ = inner_.CreateKeys(0);
        return;
    }
    base_ = *base;
    KeepFirst(result_, base_.CreateKeys(0));
    inner_.AddEntry(base_.EntryHandle(0), subKey);
    KeepFirst(result_, inner_.CreateKeys(0));
}

TSettingsKey TSettingsKey::Extending(const TRegistryKeyChain& open, const char* subKey)
{
    TSettingsKey key;
    key.inner_ = open;
    if (subKey && subKey[0])
        key.inner_.AddEntry(open.LastHandle(), subKey);
    key.result_ = key.inner_.CreateKeys(0);
    return key;
}

TSettingsKey::TSettingsKey(TSettingsKey&& other) noexcept
    : base_(other.base_), inner_(other.inner_), result_(other.result_)
{
    // The handles now belong to this holder; the other closes nothing.
    other.base_.Clear();
    other.inner_.Clear();
}

TSettingsKey::~TSettingsKey()
{
    inner_.CloseKeys();
    base_.CloseKeys();
}
