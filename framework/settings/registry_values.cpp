#include "framework/settings/registry_values.h"

#include "framework/settings/registry_key.h"
#include "framework/settings/registry_key_chain.h"
#include "framework/util/text.h"

TRegValue::TRegValue(const TRegistryKeyChain* chain, const char* name) : Chain(chain), Name(NewText(name)) {}

TRegValue::~TRegValue()
{
    FreeText(Name);
}

LONG TRegValue::Delete() const
{
    return Chain ? Chain->DeleteValue(Name) : ERROR_INVALID_HANDLE;
}

namespace {

HKEY WriteKey(const TRegistryKeyChain* chain)
{
    return chain ? chain->LastHandle() : nullptr;
}

} // namespace

bool TRegStringValue::Exists() const
{
    if (!Chain)
        return false;
    char* text = nullptr;
    const LONG result = Chain->ReadString(Name, text);
    FreeText(text);
    return result == ERROR_SUCCESS;
}

void TRegStringValue::Get(char*& result) const
{
    if (!Chain) {
        result = NewText("");
        return;
    }
    Chain->ReadString(Name, result);
}

LONG TRegStringValue::Write(const char* text) const
{
    return WriteString(WriteKey(Chain), Name, text);
}

bool TRegBinaryValue::Exists() const
{
    if (!Chain)
        return false;
    TStateBlob blob;
    DWORD type = REG_BINARY;
    return Chain->ReadBinary(Name, blob, type) == ERROR_SUCCESS;
}

TStateBlob TRegBinaryValue::Get() const
{
    TStateBlob blob;
    if (Chain) {
        DWORD type = REG_BINARY;
        Chain->ReadBinary(Name, blob, type);
    }
    return blob;
}

LONG TRegBinaryValue::Write(const TStateBlob& blob) const
{
    return WriteBinary(WriteKey(Chain), Name, blob);
}

LONG TRegBinaryValue::Write(const void* data, int size) const
{
    return WriteBinary(WriteKey(Chain), Name, TStateBlob(data, size));
}

bool TRegDwordValue::Exists() const
{
    if (!Chain)
        return false;
    DWORD value = 0;
    return Chain->ReadDword(Name, value) == ERROR_SUCCESS;
}

DWORD TRegDwordValue::Get(DWORD defaultValue) const
{
    if (!Exists())
        return defaultValue;
    DWORD value = 0;
    Chain->ReadDword(Name, value);
    return value;
}

LONG TRegDwordValue::Write(DWORD value) const
{
    return WriteDword(WriteKey(Chain), Name, value);
}
