// A program built on the framework's entry point, started by the entry-point
// tests with the arguments under test. AppMain writes what it was given, one
// "name=value" line each with the value in hex, to the file named by the
// environment variable ENTRY_CHILD_REPORT, then does what its switches ask:
//   /exit:N      return N
//   /restore:n   restore the saved state n (with /shift: Shift held down)
//   /texts       resource texts and shown texts (HKEY_CURRENT_USER redirected
//                to the key named by ENTRY_CHILD_USER_KEY first)
//   /badclass    register a window class that cannot be registered
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/core/command_line.h"
#include "framework/core/display_text.h"
#include "framework/core/resource_text.h"
#include "framework/core/restart.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/registry_key_chain.h"
#include "framework/settings/registry_roots.h"
#include "framework/settings/state_blob.h"
#include "framework/util/taskbar.h"
#include "framework/util/text.h"
#include "framework/util/window_class.h"
#include "framework/util/windows_version.h"

namespace {

std::string Environment(const char* name)
{
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// Appends one line to the report at once, so that a process that ends early
// leaves what it got to.
void Report(const char* name, const void* data, size_t size)
{
    static const std::string path = Environment("ENTRY_CHILD_REPORT");
    if (path.empty())
        return;
    std::string line = std::string(name) + "=";
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
        line += hex;
    }
    line += "\n";
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

void Report(const char* name, const char* text)
{
    Report(name, text, std::strlen(text));
}

void Report(const char* name, long long number)
{
    Report(name, std::to_string(number).c_str());
}

void ReportKeyChain(const char* name, const TRegistryKeyChain* chain)
{
    const std::string prefix(name);
    Report((prefix + "_entries").c_str(), chain ? chain->Count() : -1);
    if (!chain || chain->Count() != 1)
        return;
    const TRegistryKeyEntry& entry = chain->At(0);
    Report((prefix + "_root_is_user").c_str(), entry.Root == RootCurrentUser ? 1 : 0);
    Report((prefix + "_handle_null").c_str(), entry.Handle == nullptr ? 1 : 0);
    Report((prefix + "_path").c_str(), entry.SubKey);
}

void ReportList(const char* name, const TStringList& list)
{
    Report((std::string(name) + "_count").c_str(), list.Count());
    int index = 0;
    for (const auto* node = list.First(); node && index < 8; node = node->next, ++index)
        Report((std::string(name) + std::to_string(index)).c_str(), node->value);
    if (list.Count() > 8)
        Report((std::string(name) + "_last").c_str(), list.Last()->value);
}

void ReportText(const char* name, char* text)
{
    Report(name, text);
    FreeText(text);
}

void ReportTexts()
{
    // Settings are read below the test's own key; the width of shown texts is
    // chosen on the first one.
    const std::string userKey = Environment("ENTRY_CHILD_USER_KEY");
    HKEY redirected = nullptr;
    if (!userKey.empty() &&
        RegOpenKeyExA(HKEY_CURRENT_USER, userKey.c_str(), 0, KEY_ALL_ACCESS, &redirected) == ERROR_SUCCESS)
        RegOverridePredefKey(HKEY_CURRENT_USER, redirected);

    char* text;
    LoadResourceText(text, 1);
    ReportText("resource1", text);
    LoadRawResourceText(text, 1);
    ReportText("raw1", text);
    LoadResourceText(text, 2);
    ReportText("resource2", text);
    LoadRawResourceText(text, 2);
    ReportText("raw2", text);
    LoadResourceText(text, 99);
    ReportText("resource99", text);
    LoadRawResourceText(text, 99);
    ReportText("raw99", text);

    Report("font_style", ReadFontStyle());
    Report("taskbar_rebar", HasTaskbarRebar() ? 1 : 0);
    DisplayText(text, "ﾍﾙﾌﾟ \"ﾍﾙﾌﾟ\"");
    ReportText("display", text);
    if (redirected) {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(redirected);
    }
}

LRESULT CALLBACK PlainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

char* AppRegistryKeyPath()
{
    return NewText(Environment("ENTRY_CHILD_APP_KEY").c_str());
}

char* AppProductName()
{
    return NewText("EntryChild");
}

int AppMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR commandLine, int showCommand)
{
    Report("instance_is_module", instance == GetModuleHandleA(nullptr) ? 1 : 0);
    Report("globals_instance", AppGlobals.Instance == instance ? 1 : 0);
    Report("prev_instance_null", prevInstance == nullptr && AppGlobals.PrevInstance == nullptr ? 1 : 0);
    Report("command_line", commandLine);
    Report("globals_command_line", AppGlobals.CommandLine);
    Report("globals_command_line_copied", AppGlobals.CommandLine != commandLine ? 1 : 0);
    Report("show_command", showCommand);
    Report("globals_show_command", AppGlobals.ShowCommand);
    Report("product_name", AppGlobals.ProductName);
    Report("main_shape_null", AppGlobals.MainShape == nullptr ? 1 : 0);
    Report("exit_code_before", AppGlobals.ExitCode);
    Report("module_path", AppGlobals.ModulePath);
    Report("help_file", AppGlobals.HelpFile);
    ReportKeyChain("app_key", AppGlobals.AppKey);
    ReportKeyChain("library_key", AppGlobals.LibraryKey);
    ReportList("argument", AppGlobals.Arguments);
    ReportList("switch", AppGlobals.Switches);
    // COM is already initialised on this thread: a second call says so.
    const HRESULT com = CoInitialize(nullptr);
    Report("com_initialised", com == S_FALSE ? 1 : 0);
    if (SUCCEEDED(com))
        CoUninitialize();
    Report("windows_version", static_cast<long long>(WindowsVersion()));

    if (FindSwitch("/texts") >= 0)
        ReportTexts();

    if (FindSwitch("/badclass") >= 0) {
        WNDCLASSA description = {};
        description.lpfnWndProc = PlainWndProc;
        description.hInstance = instance;
        // Longer than any class name may be.
        const std::string name(300, 'C');
        description.lpszClassName = name.c_str();
        Report("badclass", "before");
        RegisterWindowClass(description);
        Report("badclass", "after");
    }

    if (FindSwitch("/restore") >= 0) {
        if (FindSwitch("/shift") >= 0) {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
        }
        TStateBlob state;
        Report("restoring", 1);
        const bool restored = RestoreSession(state);
        Report("restored", restored ? 1 : 0);
        Report("restored_data", state.Data, static_cast<size_t>(state.Size));
    }

    const int exitIndex = FindSwitch("/exit");
    if (exitIndex >= 0) {
        char* value;
        GetSwitchValue(value, exitIndex);
        const int code = std::atoi(value);
        FreeText(value);
        return code;
    }
    return 0;
}
