// Typed registry values: short-lived locals built on a chain that is already
// open and a value name, used, and destroyed before the chain is closed. Reads
// try the chain's entries newest first; writes go to its last entry.
//
// A number setting is read with the caller's default:
//     TRegDwordValue value(&chain, "IconSet");
//     const DWORD iconSet = value.Get(0);
#pragma once

#include <windows.h>

#include "framework/settings/state_blob.h"

class TRegistryKeyChain;

class TRegValue {
public:
    TRegValue(const TRegistryKeyChain* chain, const char* name);
    virtual ~TRegValue();
    TRegValue(const TRegValue&) = delete;
    TRegValue& operator=(const TRegValue&) = delete;

    // The registry type the value is stored as.
    virtual DWORD Type() const = 0;
    // True if the value can be read from the chain.
    virtual bool Exists() const = 0;

    const char* GetName() const { return Name; }
    // Removes the value from the chain's last entry.
    LONG Delete() const;

protected:
    const TRegistryKeyChain* Chain; // not owned
    char* Name;                     // owned
};

class TRegStringValue : public TRegValue {
public:
    using TRegValue::TRegValue;
    DWORD Type() const override { return REG_SZ; }
    bool Exists() const override;
    // Writes a new owned text into `result` (not freed first): the value, or
    // the empty text when it is missing.
    void Get(char*& result) const;
    LONG Write(const char* text) const;
};

class TRegBinaryValue : public TRegValue {
public:
    using TRegValue::TRegValue;
    DWORD Type() const override { return REG_BINARY; }
    bool Exists() const override;
    // The bytes of the value; empty when it is missing.
    TStateBlob Get() const;
    LONG Write(const TStateBlob& blob) const;
    LONG Write(const void* data, int size) const;
};

class TRegDwordValue : public TRegValue {
public:
    using TRegValue::TRegValue;
    DWORD Type() const override { return REG_DWORD; }
    bool Exists() const override;
    // The stored number if the value exists, else `defaultValue`.
    DWORD Get(DWORD defaultValue) const;
    LONG Write(DWORD value) const;
};
