// The user's "Beep" setting ("Control Panel\\Sound" under HKEY_CURRENT_USER),
// set for a test and put back as it was afterwards.
#pragma once

#include <windows.h>

class TBeepSetting {
public:
    TBeepSetting()
    {
        DWORD size = sizeof saved_;
        had_ = RegGetValueA(HKEY_CURRENT_USER, kKey, "Beep", RRF_RT_REG_SZ, nullptr, saved_, &size) == ERROR_SUCCESS;
    }
    ~TBeepSetting()
    {
        if (had_)
            Set(saved_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Beep");
    }
    TBeepSetting(const TBeepSetting&) = delete;
    TBeepSetting& operator=(const TBeepSetting&) = delete;
    void Set(const char* value)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Beep", REG_SZ, value, lstrlenA(value) + 1);
    }

private:
    static constexpr const char* kKey = "Control Panel\\Sound";
    char saved_[64] = "";
    bool had_ = false;
};
