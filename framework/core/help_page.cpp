#include "framework/core/help_page.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "framework/core/app_globals.h"
#include "framework/util/text.h"

namespace {

// Opens a file or starts a program with the shell's "open". No error message
// of the shell's own reaches the user, and the start is complete on return,
// so a process that ends right after (the help switch) loses nothing.
bool ShellOpen(const char* file, const char* parameters)
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = "open";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}

// The program the system opens ".html" files with, found through the page
// itself; false when there is none.
bool AssociatedBrowser(const char* page, char (&browser)[MAX_PATH])
{
    browser[0] = '\0';
    const HINSTANCE found = FindExecutableA(page, nullptr, browser);
    return reinterpret_cast<INT_PTR>(found) > 32 && browser[0] != '\0';
}

}  // namespace

void HelpPagePath(char*& result)
{
    // HelpFile always ends in the ".HLP" that was appended to the program path.
    const char* helpFile = AppGlobals.HelpFile;
    const int length = static_cast<int>(std::strlen(helpFile));
    const int stem = length >= 4 ? length - 4 : length;
    TText base;
    base.Slot() = NewText(helpFile, stem);
    StrConcat(result, base.Get(), ".html");
}

bool HelpFileFound(const char* path)
{
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(path, &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

bool HelpPageInUse()
{
    // Without a program path there is nothing beside it.
    if (AppGlobals.ModulePath[0] == '\0' || HelpFileFound(AppGlobals.HelpFile))
        return false;
    TText page;
    HelpPagePath(page.Slot());
    return HelpFileFound(page.Get());
}

void HelpPageUrl(char*& result, const char* pagePath, int topic)
{
    char full[MAX_PATH * 2] = "";
    const DWORD fullLength = GetFullPathNameA(pagePath, sizeof full, full, nullptr);
    const char* path = fullLength > 0 && fullLength < sizeof full ? full : pagePath;
    const bool network = path[0] == '\\' && path[1] == '\\';
    std::string url = network ? "file:" : "file:///";
    const int length = static_cast<int>(std::strlen(path));
    for (int i = 0; i < length;) {
        const int step = CharLength(length - i, path + i);
        if (step > 1) {
            // A double-byte character stays as it is, even when its trail
            // byte has the value of a backslash.
            url.append(path + i, step);
        } else if (path[i] == '\\') {
            url += '/';
        } else if (path[i] == ' ' || path[i] == '#' || path[i] == '%') {
            static const char digits[] = "0123456789ABCDEF";
            const unsigned char c = static_cast<unsigned char>(path[i]);
            url += '%';
            url += digits[c >> 4];
            url += digits[c & 15];
        } else {
            url += path[i];
        }
        i += step;
    }
    if (topic > 0)
        url += "#topic-" + std::to_string(topic);
    result = NewText(url.c_str());
}

bool OpenHelpPage(int topic)
{
    TText page;
    HelpPagePath(page.Slot());
    char browser[MAX_PATH];
    // A file name cannot carry a section: the browser is given the page's URL.
    if (topic > 0 && AssociatedBrowser(page.Get(), browser)) {
        TText url;
        HelpPageUrl(url.Slot(), page.Get(), topic);
        TText quoted;
        StrJoin(quoted.Slot(), {"\"", url.Get(), "\""});
        if (ShellOpen(browser, quoted.Get()))
            return true;
    }
    return ShellOpen(page.Get(), nullptr);
}

void RequestHelp(HWND window, UINT command, ULONG_PTR data, int topic)
{
    if (!HelpPageInUse()) {
        WinHelpA(window, AppGlobals.HelpFile, command, data);
        return;
    }
    if (command != HELP_QUIT)
        OpenHelpPage(topic);
}
