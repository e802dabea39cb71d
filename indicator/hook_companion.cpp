#include "indicator/hook_companion.h"

#include "hook/lamphook.h"

namespace {

const wchar_t CompanionFile[] = L"LAMPHOST64.exe";

// A 32-bit program on 64-bit Windows. The check is looked up at run time:
// systems older than it know only 32-bit programs.
bool RunsOn64BitWindows()
{
    typedef BOOL(WINAPI * TIsWow64Process)(HANDLE, BOOL*);
    const TIsWow64Process isWow64Process = reinterpret_cast<TIsWow64Process>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// Runs on a thread of the system's pool, once: the UI thread does the rest.
void CALLBACK CompanionEnded(void* monitor, BOOLEAN)
{
    PostMessageW(static_cast<HWND>(monitor), WM_COMPANIONENDED, 0, 0);
}

}  // namespace

THookCompanion::~THookCompanion()
{
    Stop();
}

void THookCompanion::Start(HWND monitor)
{
    monitor_ = monitor;
    if (RunsOn64BitWindows())
        Launch();
}

bool THookCompanion::Launch()
{
    // The path is taken in UTF-16, where no character of a folder's name can
    // pass for a backslash; the command line is the path in quotes.
    wchar_t commandLine[MAX_PATH + 2];
    wchar_t* const path = commandLine + 1;
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    DWORD folder = length;
    while (folder > 0 && path[folder - 1] != L'\\')
        --folder;
    const DWORD fileLength = sizeof CompanionFile / sizeof CompanionFile[0];  // with its NUL
    if (folder + fileLength > MAX_PATH)
        return false;
    lstrcpyW(path + folder, CompanionFile);
    commandLine[0] = L'"';
    lstrcatW(commandLine, L"\"");

    // No busy cursor while it starts: it never shows a window.
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    // A wait of the system's pool: no thread of this program wakes until the
    // process ends.
    if (!RegisterWaitForSingleObject(&wait_, process_, CompanionEnded, monitor_, INFINITE,
                                     WT_EXECUTEONLYONCE | WT_EXECUTEINWAITTHREAD))
        wait_ = nullptr;
    return true;
}

void THookCompanion::OnEnded()
{
    if (process_ == nullptr || WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
        return;  // stopped, or a message of a companion since replaced
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    Stop();

    // A killed program's global hook lives on in Wine, ahead of the 32-bit
    // one: it is removed by its handle (on Windows it went with its thread,
    // and the call fails). Then the record goes, which a new companion finds
    // empty.
    if (HHOOK stale = static_cast<HHOOK>(GetPropW(monitor_, L"" PROP_KEYBOARDHOOK64)))
        UnhookWindowsHookEx(stale);
    RemovePropW(monitor_, L"" PROP_KEYBOARDHOOK64);
    if (code == COMPANION_NOTHING_TO_SERVE)
        return;

    // A companion that keeps ending is left ended: a few starts a minute.
    const DWORD now = GetTickCount();
    if (restarts_ == kRestarts && now - restartTimes_[0] < kRestartPeriodMs)
        return;
    if (restarts_ == kRestarts) {
        for (int i = 1; i < kRestarts; ++i)
            restartTimes_[i - 1] = restartTimes_[i];
        --restarts_;
    }
    restartTimes_[restarts_++] = now;
    Launch();
}

void THookCompanion::Stop()
{
    // Waits for a callback under way: it only posts.
    if (wait_ != nullptr)
        UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
    wait_ = nullptr;
    if (process_ != nullptr)
        CloseHandle(process_);
    process_ = nullptr;
}
