// The process-wide application record and the routines every application supplies.
//
// The framework owns WinMain. An application does not write its own entry point:
// it defines AppRegistryKeyPath, AppProductName and AppMain (and its AppInfo
// values), and the entry point fills AppGlobals around them.
#pragma once

#include <windows.h>

#include <string>

#include "framework/util/list.h"

class TShape;
class TRegistryKeyChain;

struct TAppGlobals {
    HINSTANCE Instance;                // first argument of WinMain
    HINSTANCE PrevInstance;            // second argument of WinMain
    char* CommandLine;                 // owned copy of WinMain's command-line argument
    int ShowCommand;                   // fourth argument of WinMain
    char* ProductName;                 // owned: what AppProductName returned
    TShape* MainShape;                 // set by the application; not owned
    TRegistryKeyChain* LibraryKey;     // framework-wide settings; a path template, never opened
    TRegistryKeyChain* AppKey;         // the application's settings; a path template, never opened
    int ExitCode;                      // AppMain's result, returned from WinMain
    char* HelpFile;                    // owned: ProgramFile with the extension ".HLP", in the ANSI code page
    char* ModulePath;                  // owned: the program path from the command line
    std::wstring ProgramFile;          // the program's own file: its module's full path
    TStringList Arguments;             // non-switch arguments in command-line order
    TStringList Switches;              // switches ("/name" or "/name:value") in order

    TAppGlobals();
    ~TAppGlobals();
    TAppGlobals(const TAppGlobals&) = delete;
    TAppGlobals& operator=(const TAppGlobals&) = delete;
};

extern TAppGlobals AppGlobals;

// The framework's settings key below HKEY_CURRENT_USER (note the trailing backslash).
extern const char LibraryKeyPath[];

// Supplied by the application. The two texts are new owned texts that the
// entry point takes over; AppMain gets WinMain's arguments unchanged and its
// result becomes the process's exit code.
char* AppRegistryKeyPath();
char* AppProductName();
int AppMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR commandLine, int showCommand);
