// TPersistentObject: something that keeps values in the registry under a name.
//
// The root of the dialog elements and a base of the shapes. Both operations
// take a key chain that the caller has opened; values go to its primary key.
#pragma once

#include "framework/util/text.h"

class TRegistryKeyChain;

class TPersistentObject {
public:
    // The value name of a single value, or the subkey of a group; empty by default.
    TText Name;

    TPersistentObject() = default;
    TPersistentObject(const TPersistentObject&) = delete;
    TPersistentObject& operator=(const TPersistentObject&) = delete;

    virtual void SaveTo(const TRegistryKeyChain& key);
    virtual void LoadFrom(const TRegistryKeyChain& key);
    virtual ~TPersistentObject() = default;
};
