#include "framework/core/restart.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "framework/core/command_line.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/registry_key.h"
#include "framework/settings/registry_roots.h"
#include "framework/settings/settings_key.h"
#include "framework/settings/state_blob.h"
#include "framework/util/key_state.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

const char RunOnceKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

namespace {

// An open registry key, closed when the holder goes.
class TOpenKey {
public:
    TOpenKey() = default;
    ~TOpenKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    TOpenKey(const TOpenKey&) = delete;
    TOpenKey& operator=(const TOpenKey&) = delete;

    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The first RunOnce value name, product name followed by 0, 1, 2 ..., that is
// not taken. Only a name that does not exist is free: a value that merely
// cannot be read (too long for the buffer, say) is someone's entry all the
// same. False when the key cannot be asked.
bool FreeRunOnceName(HKEY runOnce, char*& name, int& number)
{
    const int size = static_cast<int>(std::strlen(AppGlobals.ProductName)) + 12;
    for (number = 0; number >= 0; ++number) {
        StrFormat(name, size, "%s%d", AppGlobals.ProductName, number);
        const LONG result = RegQueryValueExW(runOnce, WideText(name).c_str(), nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_FILE_NOT_FOUND)
            return true;
        if (result != ERROR_SUCCESS)
            return false;
    }
    return false;
}

// The RunOnce value: the program's own file in double quotes and the switch,
// in UTF-16 so that a path of any characters survives.
LONG WriteRestartCommand(HKEY runOnce, const char* name, int number)
{
    const std::wstring command = L"\"" + AppGlobals.ProgramFile + L"\" /restore:" + WideText(std::to_string(number).c_str());
    return RegSetValueExW(runOnce, WideText(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

// A value name written by RegisterRestart: decimal digits only.
bool IsStateNumber(const char* text)
{
    const size_t length = std::strlen(text);
    if (length == 0 || length > 10)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (!IsDigitChar(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

}  // namespace

bool RegisterRestart(const TStateBlob* state)
{
    TOpenKey runOnce;
    if (RegCreateKeyExW(RootCurrentUser, WideText(RunOnceKeyPath).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, runOnce.Out(),
                        nullptr) != ERROR_SUCCESS)
        return false;

    TText name;
    int number = 0;
    if (AppGlobals.ProgramFile.empty() || !FreeRunOnceName(runOnce.Get(), name.Slot(), number))
        return false;

    if (!state) {
        WriteRestartCommand(runOnce.Get(), name.Get(), number);
        return false;
    }

    // The state first: a RunOnce entry must not point at a state that was never written.
    TText stateName;
    StrFormat(stateName.Slot(), 12, "%d", number);
    TSettingsKey serialize(AppGlobals.AppKey, "Serialize");
    if (!serialize.Handle() || WriteBinary(serialize.Handle(), stateName.Get(), *state) != ERROR_SUCCESS)
        return false;
    if (WriteRestartCommand(runOnce.Get(), name.Get(), number) != ERROR_SUCCESS) {
        RegDeleteValueW(serialize.Handle(), WideText(stateName.Get()).c_str());
        return false;
    }
    return true;
}

bool RestoreSession(TStateBlob& state)
{
    const int index = FindSwitch("/restore");
    if (index < 0)
        return false;
    TText name;
    GetSwitchValue(name.Slot(), index);
    if (!IsStateNumber(name.Get()))
        return false;

    TSettingsKey serialize(AppGlobals.AppKey, "Serialize");
    if (!serialize.Handle())
        return false;
    TStateBlob saved;
    DWORD type = REG_BINARY;
    if (ReadBinary(serialize.Handle(), name.Get(), saved, type) != ERROR_SUCCESS)
        return false;
    state = saved;
    // Used once: the state goes whether the start goes on or is cancelled.
    RegDeleteValueW(serialize.Handle(), WideText(name.Get()).c_str());
    if (IsKeyDown(VK_SHIFT))
        ExitProcess(static_cast<UINT>(-1));
    return true;
}
