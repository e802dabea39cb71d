// One settings subkey, open for one operation.
//
// Settings live below the application's or the framework's key ("Serialize",
// "View", "WithoutStereotype", a dialog's own key). Reaching one takes two
// chains: a copy of the base chain, opened, and a one-entry chain on its first
// handle for the subkey. The holder does both on construction and closes them,
// innermost first, when it goes out of scope:
//
//     TSettingsKey view(AppGlobals.LibraryKey, "View");
//     TRegDwordValue style(&view.Chain(), "TransparentStyle");
//     const DWORD value = style.Get(2);
//
// A key that cannot be opened leaves the holder closed: Handle() is null, reads
// through it give their defaults and writes fail.
#pragma once

#include <windows.h>

#include "framework/settings/registry_key_chain.h"

class TSettingsKey {
public:
    // The subkey `subKey` of the base chain (AppKey or LibraryKey: a path
    // template that is not open). Both keys are created when missing, as every
    // settings operation does, also one that only reads. A null base or an empty
    // subkey name leaves the holder on the base key itself.
    TSettingsKey(const TRegistryKeyChain* base, const char* subKey);
    // The chain `open` (already open, and staying open longer than the holder)
    // extended by the subkey `subKey`: a copy of its entries with one more entry
    // for the subkey below its primary key, all opened for the holder's life.
    // Reads then try the subkey first and fall back to the chain's own keys.
    static TSettingsKey Extending(const TRegistryKeyChain& open, const char* subKey);

    TSettingsKey(TSettingsKey&& other) noexcept;
    TSettingsKey& operator=(TSettingsKey&&) = delete;
    TSettingsKey(const TSettingsKey&) = delete;
    TSettingsKey& operator=(const TSettingsKey&) = delete;
    ~TSettingsKey();

    // The open chain to build value objects on; its primary key is the subkey.
    const TRegistryKeyChain& Chain() const { return inner_; }
    // The subkey's open handle, where writes go; null when it could not be opened.
    HKEY Handle() const { return inner_.LastHandle(); }
    bool IsOpen() const { return Handle() != nullptr; }
    // The first failure met while opening, 0 when everything opened.
    LONG Result() const { return result_; }

private:
    TSettingsKey() = default;

    TRegistryKeyChain base_;  // the opened copy of the base chain (empty when extending)
    TRegistryKeyChain inner_; // the subkey's chain
    LONG result_ = ERROR_SUCCESS;
};
