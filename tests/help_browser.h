// What the help tests set up and watch: the test program seen as a program in
// a folder of its own, with the help page and the old viewer's file beside it
// or not; the stand-in browser registered for ".html" (help_browser.exe
// beside the test program), which logs the arguments of every start; and a
// window of the old help viewer's class, which takes what WinHelpA sends.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/command_line.h"
#include "framework/settings/app_globals.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"
#include "tests/message_pump.h"

// The program's record names "prog.exe" in a new folder of the temporary
// folder (its name given) while the object lives; Page and HelpFile are beside
// it, the page present at first. The record is put back at the end.
class TProgramBesideHelp {
public:
    explicit TProgramBesideHelp(const std::string& folderName, const std::string& switches = "")
        : modulePath_(AppGlobals.ModulePath), helpFile_(AppGlobals.HelpFile), programFile_(AppGlobals.ProgramFile)
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + folderName + " " + std::to_string(GetCurrentProcessId());
        EXPECT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        SplitCommandLine(("\"" + folder_ + "\\prog.exe\" " + switches).c_str());
        SetProgramFile(WideText((folder_ + "\\prog.exe").c_str()));
        Page = folder_ + "\\prog.html";
        HelpFile = folder_ + "\\prog.HLP";
        Place(true, false);
    }
    ~TProgramBesideHelp()
    {
        Place(false, false);
        RemoveDirectoryA(folder_.c_str());
        SplitCommandLine("");
        SetText(AppGlobals.ModulePath, modulePath_.Get());
        SetText(AppGlobals.HelpFile, helpFile_.Get());
        AppGlobals.ProgramFile = programFile_;
    }
    TProgramBesideHelp(const TProgramBesideHelp&) = delete;
    TProgramBesideHelp& operator=(const TProgramBesideHelp&) = delete;

    // Puts the page and the viewer's file beside the program, or takes them away.
    void Place(bool page, bool helpFile) const
    {
        for (const auto& file : {std::make_pair(&Page, page), std::make_pair(&HelpFile, helpFile)}) {
            if (file.second)
                CloseHandle(CreateFileA(file.first->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            else
                DeleteFileA(file.first->c_str());
        }
    }

    std::string Page, HelpFile;

private:
    std::string folder_;
    TText modulePath_, helpFile_;
    std::wstring programFile_;
};

// While it lives, the shell opens ".html" files with help_browser.exe, which
// appends its arguments to a log file of this object's own (the environment
// variable HELP_BROWSER_LOG, inherited by the programs the test starts). Wine's
// shell takes associations from HKLM\Software\Classes; what ".html" named
// there before is put back at the end. The same goes for http addresses.
class TTestBrowser {
public:
    TTestBrowser()
    {
        char path[MAX_PATH], temp[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string browser(path);
        Program = browser = browser.substr(0, browser.find_last_of('\\') + 1) + "help_browser.exe";
        GetTempPathA(MAX_PATH, temp);
        log_ = std::string(temp) + "help_browser_" + std::to_string(GetCurrentProcessId()) + ".log";
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("HELP_BROWSER_LOG", log_.c_str());

        HKEY key;
        hadKey_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kClasses + kExtension).c_str(), 0, KEY_READ, &key) == 0;
        if (hadKey_)
            RegCloseKey(key);
        had_ = ReadDefault(kExtension, previous_);
        hadHttp_ = ReadDefault(kHttp, previousHttp_);
        EXPECT_TRUE(WriteDefault(kExtension, kClass));
        Use("\"" + Program + "\" \"%1\"", "\"" + Program + "\" \"%1\"");
    }
    ~TTestBrowser()
    {
        if (had_)
            WriteDefault(kExtension, previous_);
        else if (hadKey_)
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, (kClasses + kExtension).c_str(), nullptr);
        else
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kClasses + kExtension).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kClasses + kClass).c_str());
        Use("", hadHttp_ ? previousHttp_ : "");
        SetEnvironmentVariableA("HELP_BROWSER_LOG", nullptr);
        DeleteFileA(log_.c_str());
    }
    TTestBrowser(const TTestBrowser&) = delete;
    TTestBrowser& operator=(const TTestBrowser&) = delete;

    // The commands that open ".html" files and http addresses ("": none).
    void Use(const std::string& html, const std::string& http) const
    {
        for (const auto& command : {std::make_pair(std::string(kClass) + "\\shell\\open\\command", html),
                                    std::make_pair(std::string(kHttp), http)})
            if (command.second.empty())
                RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, (kClasses + command.first).c_str(), nullptr);
            else
                EXPECT_TRUE(WriteDefault(command.first, command.second));
    }
    // What the browser was given since the last look, one argument a line.
    std::string Log() const
    {
        std::ifstream file(log_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    // Waits (answering messages) until the browser has been started, and
    // returns its arguments ("" when it was not started in time). Taken
    // from the log, so the next wait sees only later starts.
    std::string NextStart(DWORD ms = 15000)
    {
        std::string content;
        PumpUntil([&] { return !(content = Log()).empty(); }, ms);
        DeleteFileA(log_.c_str());
        return content;
    }
    std::string Program;  // help_browser.exe beside the test program

private:
    static constexpr const char* kClass = "HelpBrowserTest.html";
    static constexpr const char* kExtension = ".html";
    static constexpr const char* kHttp = "http\\shell\\open\\command";
    const std::string kClasses = "Software\\Classes\\";

    bool ReadDefault(const std::string& subKey, std::string& value) const
    {
        char text[512] = "";
        DWORD size = sizeof text;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, (kClasses + subKey).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text,
                         &size) != ERROR_SUCCESS)
            return false;
        value = text;
        return true;
    }
    bool WriteDefault(const std::string& subKey, const std::string& value) const
    {
        return RegSetKeyValueA(HKEY_LOCAL_MACHINE, (kClasses + subKey).c_str(), nullptr, REG_SZ, value.c_str(),
                               static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }

    std::string log_, previous_, previousHttp_;
    bool hadKey_ = false, had_ = false, hadHttp_ = false;
};

// One request as the old help viewer receives it from WinHelpA.
struct TWinHelpCall {
    UINT command;
    LONG data;
    std::string file;
};

// While it lives, a window of the viewer's class "MS_WINHELP" takes every
// WinHelpA request of any process (Wine's WinHelpA finds the viewer by that
// class and sends it WM_COPYDATA tagged 0xA1DE505, holding its own record of
// command, data and file name), so no real viewer starts. The calls arrive
// while the test thread answers messages.
class TWinHelpCatcher {
public:
    TWinHelpCatcher()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MS_WINHELP";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "MS_WINHELP", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        SetPropA(window_, "TWinHelpCatcher", this);
    }
    ~TWinHelpCatcher() { DestroyWindow(window_); }
    TWinHelpCatcher(const TWinHelpCatcher&) = delete;
    TWinHelpCatcher& operator=(const TWinHelpCatcher&) = delete;

    std::vector<TWinHelpCall> Calls;

private:
    struct TRecord {
        WORD size, command;
        LONG data, reserved;
        WORD fileOffset, dataOffset;
    };
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = static_cast<TWinHelpCatcher*>(GetPropA(window, "TWinHelpCatcher"));
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (message != WM_COPYDATA || !self || copy->dwData != 0xA1DE505 || copy->cbData < sizeof(TRecord))
            return DefWindowProcA(window, message, wParam, lParam);
        const auto* record = static_cast<const TRecord*>(copy->lpData);
        const char* bytes = static_cast<const char*>(copy->lpData);
        std::string file;
        if (record->fileOffset && record->fileOffset < copy->cbData)
            file.assign(bytes + record->fileOffset, strnlen(bytes + record->fileOffset, copy->cbData - record->fileOffset));
        self->Calls.push_back({record->command, record->data, file});
        return TRUE;
    }

    HWND window_ = nullptr;
};
