#include "indicator/hook_companion.h"

#include <windows.h>

namespace {

const wchar_t CompanionFile[] = L"LAMPHOST64.exe";

// A 32-bit program on 64-bit Windows. The check is looked up at run time:
// systems older than it know only 32-bit programs.
bool RunsOn64BitWindows()
{
    typedef BOOL(WINAPI * TIsWow64Process)(HANDLE, BOOL*);
    const TIsWow64Process isWow64Process = reinterpret_cast<TIsWow64Process>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

void StartHookCompanion()
{
    if (!RunsOn64BitWindows())
        return;
    // The path is taken in UTF-16, where no character of a folder's name can
    // pass for a backslash; the command line is the path in quotes.
    wchar_t commandLine[MAX_PATH + 2];
    wchar_t* const path = commandLine + 1;
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    DWORD folder = length;
    while (folder > 0 && path[folder - 1] != L'\\')
        --folder;
    const DWORD fileLength = sizeof CompanionFile / sizeof CompanionFile[0];  // with its NUL
    if (folder + fileLength > MAX_PATH)
        return;
    lstrcpyW(path + folder, CompanionFile);
    commandLine[0] = L'"';
    lstrcatW(commandLine, L"\"");

    // No busy cursor while it starts: it never shows a window.
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
