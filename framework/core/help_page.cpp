#include "framework/core/help_page.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "framework/settings/app_globals.h"
#include "framework/settings/interface_language.h"
#include "framework/util/system_library.h"
#include "framework/util/wide_text.h"

namespace {

// The user's own choice for a protocol (ASSOCF_IS_PROTOCOL, Windows 8 on),
// which the headers for older systems lack.
const ASSOCF AssocIsProtocol = 0x1000;

// Opens a file with the shell's "open". No error message of the shell's own
// reaches the user, and the start is complete on return, so a process that
// ends right after (the help switch) loses nothing.
bool ShellOpen(const std::wstring& file)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

// The full path, in a buffer of the size the system asks for; the path itself
// when it has none.
std::wstring FullPath(const std::wstring& path)
{
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    while (size > 0) {
        std::wstring full(size, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
        if (length < size) {
            full.resize(length);
            return length > 0 ? full : path;
        }
        // The current folder changed in between: ask again with the new size.
        size = length;
    }
    return path;
}

// The path without its "\\?\" prefix ("\\?\UNC\server" is "\\server").
std::wstring WithoutLongPrefix(const std::wstring& path)
{
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return path.substr(4);
    return path;
}

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// The command the system starts for an http address, with its arguments and
// placeholders: the user's choice where the system keeps one, else what
// HKEY_CLASSES_ROOT\http holds. Empty when there is none. The query's library
// is loaded only when help is first asked for.
std::wstring HttpOpenCommand()
{
    typedef HRESULT(WINAPI * TQuery)(ASSOCF, ASSOCSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD*);
    const TQuery query = SystemFunction<TQuery>("shlwapi.dll", "AssocQueryStringW");
    for (const ASSOCF flags : {AssocIsProtocol, static_cast<ASSOCF>(ASSOCF_NONE)}) {
        DWORD size = 0;
        if (!query || query(flags, ASSOCSTR_COMMAND, L"http", L"open", nullptr, &size) != S_FALSE || size == 0)
            continue;
        std::wstring command(size, L'\0');
        if (query(flags, ASSOCSTR_COMMAND, L"http", L"open", &command[0], &size) != S_OK)
            continue;
        // A command stored as REG_EXPAND_SZ may hold "%SystemRoot%" and the like.
        const DWORD room = ExpandEnvironmentStringsW(command.c_str(), nullptr, 0);
        std::wstring expanded(room, L'\0');
        const DWORD length = room > 0 ? ExpandEnvironmentStringsW(command.c_str(), &expanded[0], room) : 0;
        if (length > 1 && length <= room) {
            expanded.resize(length - 1);
            return expanded;
        }
    }
    return std::wstring();
}

// The command line that opens the URL with an association's command: "%1",
// "%L", "%V" and "%D" (either case) stand for the item, "%%" for '%', the other
// placeholders (further arguments, an item list) for nothing, as the shell
// fills them; without a placeholder of the item the URL goes at the end. The
// URL holds no blank or quote, so it needs no quotes of its own.
std::wstring CommandForUrl(const std::wstring& command, const std::wstring& url)
{
    std::wstring line;
    bool placed = false;
    for (size_t i = 0; i < command.size(); ++i) {
        if (command[i] != L'%' || i + 1 == command.size()) {
            line += command[i];
            continue;
        }
        const wchar_t code = command[++i];
        if (code == L'%') {
            line += L'%';
        } else if (wcschr(L"1LlVvDd", code)) {
            line += url;
            placed = true;
        }
    }
    return placed ? line : line + L" " + url;
}

bool StartCommand(std::wstring line)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// A file name cannot carry a section: for a topic the browser is given the
// page's URL, through the command that opens web addresses, since the one that
// opens ".html" files may belong to an editor that takes no URL. True when
// something was started.
bool OpenHelpPage(const std::wstring& page, int topic)
{
    if (topic > 0) {
        const std::wstring command = HttpOpenCommand();
        if (!command.empty() && StartCommand(CommandForUrl(command, HelpPageUrl(page, topic))))
            return true;
    }
    return ShellOpen(page);
}

}  // namespace

std::wstring BesideProgram(const wchar_t* extension)
{
    const std::wstring& program = AppGlobals.ProgramFile;
    return program.substr(0, program.rfind(L'.')) + extension;
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring LocalHelpPage()
{
    if (InterfaceLanguage() == LanguageEnglish) {
        const std::wstring english = BesideProgram(L".en.html");
        if (IsFile(english))
            return english;
    }
    return BesideProgram(L".html");
}

bool HelpPageInUse()
{
    // Without a program file there is nothing beside it.
    return !AppGlobals.ProgramFile.empty() && !IsFile(BesideProgram(L".HLP")) && IsFile(LocalHelpPage());
}

std::wstring HelpPageUrl(const std::wstring& pagePath, int topic)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    const std::string path = Utf8Text(FullPath(WithoutLongPrefix(pagePath)));
    const bool network = path.compare(0, 2, "\\\\") == 0;
    std::wstring url = network ? L"file:" : L"file:///";
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\' || c == '/') {
            url += L'/';
        } else if (IsUnreserved(c) || (c == ':' && i == 1 && !network)) {
            url += static_cast<wchar_t>(c);
        } else {
            url += L'%';
            url += digits[c >> 4];
            url += digits[c & 15];
        }
    }
    if (topic > 0)
        url += WideText(("#topic-" + std::to_string(topic)).c_str());
    return url;
}

bool OpenHelp(HWND window, UINT command, ULONG_PTR data, int topic)
{
    if (!HelpPageInUse()) {
        const std::wstring file = AppGlobals.ProgramFile.empty() ? std::wstring() : BesideProgram(L".HLP");
        WinHelpW(window, file.c_str(), command, data);
        return true;
    }
    return command == HELP_QUIT || OpenHelpPage(LocalHelpPage(), topic);
}
