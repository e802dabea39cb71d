// The help tests' stand-in for a web browser: registered for ".html" in the
// test prefix, it appends its arguments, one a line, to the file that the
// environment variable HELP_BROWSER_LOG names (inherited from the test through
// the program that asked for help), and ends.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char log[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("HELP_BROWSER_LOG", log, sizeof log);
    if (length == 0 || length >= sizeof log)
        return 1;
    std::string lines;
    for (int i = 1; i < __argc; ++i)
        lines += std::string(__argv[i]) + "\r\n";
    // One write, so that the test never reads half of a start's lines.
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
