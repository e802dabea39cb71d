// The footprint benchmark's baseline: a window that is never shown and a
// message loop, built like the indicator (static runtime, manifest) and doing
// nothing else. With "/dlls" it first loads the system DLLs the indicator
// imports and initialises COM as the indicator does, so that the two
// baselines tell the system DLLs' share from the indicator's own. WM_CLOSE
// ends it.
#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <initializer_list>

namespace {

LRESULT CALLBACK BaselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    if (std::strstr(commandLine, "/dlls")) {
        for (const char* dll : {"advapi32.dll", "comctl32.dll", "gdi32.dll", "ole32.dll", "shell32.dll", "winmm.dll"})
            LoadLibraryA(dll);
        CoInitialize(nullptr);
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BaselineProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = std::strstr(commandLine, "/dlls") ? "FootprintBaselineDlls" : "FootprintBaseline";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
