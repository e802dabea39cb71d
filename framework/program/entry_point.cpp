// The program's entry point. An application supplies AppRegistryKeyPath,
// AppProductName and AppMain; nothing in the framework refers to WinMain, so
// programs that bring their own entry point (the tests) never pull this file in.
#include <windows.h>
#include <objbase.h>

#include <new>

#include "framework/core/command_line.h"
#include "framework/dialogs/help_request.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/icon_caches.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/interface_language.h"
#include "framework/settings/registry_key_chain.h"
#include "framework/settings/registry_roots.h"
#include "framework/util/text.h"

namespace {

// A one-entry chain below HKEY_CURRENT_USER: a path template that is copied and
// opened by whoever reads settings. Null when it cannot be allocated.
TRegistryKeyChain* NewUserKeyChain(const char* path)
{
    TRegistryKeyChain* chain = new (std::nothrow) TRegistryKeyChain;
    if (chain)
        chain->AddEntry(RootCurrentUser, path ? path : "");
    return chain;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR commandLine, int showCommand)
{
    // What every thread reads and the system decides, read before any thread starts.
    ReadDisplayDpi();

    ParseCommandLine();

    char* appKeyPath = AppRegistryKeyPath();
    AppGlobals.AppKey = NewUserKeyChain(appKeyPath);
    if (appKeyPath)
        FreeText(appKeyPath);
    AppGlobals.LibraryKey = NewUserKeyChain(LibraryKeyPath);
    ReadInterfaceLanguage();

    AppGlobals.Instance = instance;
    AppGlobals.PrevInstance = prevInstance;
    SetText(AppGlobals.CommandLine, commandLine);
    AppGlobals.ShowCommand = showCommand;

    char* productName = AppProductName();
    FreeText(AppGlobals.ProductName);
    AppGlobals.ProductName = productName ? productName : NewText("");

    CoInitialize(nullptr);
    if (IsHelpRequested()) {
        // The help switch, with help beside the program, opens it as the
        // menu's help does, and the program goes no further.
        RequestHelp(nullptr, HELP_INDEX, 0, 0);
        AppGlobals.ExitCode = -1;
    } else {
        AppGlobals.ExitCode = AppMain(instance, prevInstance, commandLine, showCommand);
    }

    ReleaseIconCaches();
    delete AppGlobals.AppKey;
    AppGlobals.AppKey = nullptr;
    delete AppGlobals.LibraryKey;
    AppGlobals.LibraryKey = nullptr;

    CoUninitialize();
    return AppGlobals.ExitCode;
}
