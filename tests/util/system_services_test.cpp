// The small wrappers over system services: version, key state, sounds, error
// texts, window classes and the taskbar probe.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "framework/util/key_state.h"
#include "framework/util/system_error.h"
#include "framework/util/system_sound.h"
#include "framework/util/taskbar.h"
#include "framework/util/text.h"
#include "framework/util/window_class.h"
#include "framework/util/windows_version.h"

TEST(WindowsVersion, SeesTheRealSystem)
{
    // The kernel's own answer does not depend on the program's manifest.
    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(nullptr, rtlGetVersion);
    OSVERSIONINFOW real = {};
    real.dwOSVersionInfoSize = sizeof(real);
    ASSERT_EQ(0, rtlGetVersion(&real));

    const DWORD version = WindowsVersion();
    EXPECT_EQ(PackWindowsVersion(real.dwMajorVersion, real.dwMinorVersion, real.dwBuildNumber), version);
    EXPECT_EQ(real.dwMajorVersion, version >> 24);
    EXPECT_EQ(real.dwMinorVersion, (version >> 16) & 0xFF);
    EXPECT_EQ(real.dwBuildNumber & 0xFFFF, version & 0xFFFF);
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), PlatformId());
    EXPECT_EQ(version, WindowsVersion());
}

TEST(WindowsVersion, Packing)
{
    EXPECT_EQ(0x040A07CEu, PackWindowsVersion(4, 10, 1998));
    EXPECT_EQ(0x0A004A65u, PackWindowsVersion(10, 0, 19045));
    // Only the low 16 bits of the build number are kept.
    EXPECT_EQ(0x06010001u, PackWindowsVersion(6, 1, 0x10001));
}

TEST(IsKeyDown, HighByteOfTheKeyState)
{
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    BYTE state[256];
    std::memcpy(state, saved, sizeof state);

    state[VK_SHIFT] = 0x80;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_TRUE(IsKeyDown(VK_SHIFT));

    // Toggled but not held.
    state[VK_SHIFT] = 0x01;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_FALSE(IsKeyDown(VK_SHIFT));

    state[VK_SHIFT] = 0x00;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_FALSE(IsKeyDown(VK_SHIFT));
    SetKeyboardState(saved);
}

TEST(SystemSound, AliasesOfStylesAndIcons)
{
    EXPECT_STREQ("SystemHand", SystemSoundAlias(16));
    EXPECT_STREQ("SystemQuestion", SystemSoundAlias(32));
    EXPECT_STREQ("SystemExclamation", SystemSoundAlias(48));
    EXPECT_STREQ("SystemAsterisk", SystemSoundAlias(64));
    EXPECT_STREQ(".Default", SystemSoundAlias(0));
    EXPECT_STREQ(".Default", SystemSoundAlias(17));
    EXPECT_STREQ(".Default", SystemSoundAlias(0xFFFFFFFFu));

    EXPECT_EQ(16u, IconSoundStyle(32513));
    EXPECT_EQ(32u, IconSoundStyle(32514));
    EXPECT_EQ(48u, IconSoundStyle(32515));
    EXPECT_EQ(64u, IconSoundStyle(32516));
    // The Windows-logo icon has no sound of its own.
    EXPECT_EQ(0u, IconSoundStyle(32517));
    EXPECT_EQ(0u, IconSoundStyle(32512));
    // Playing returns at once, sound device or not.
    PlayIconSound(32517);
    PlaySystemSound(48);
}

TEST(SystemErrorText, SystemWordingOrEmpty)
{
    char* text;
    SystemErrorText(text, ERROR_FILE_NOT_FOUND);
    EXPECT_GT(strlen(text), 0u);
    FreeText(text);

    SystemErrorText(text, 0x3FFFFFF0u);
    EXPECT_STREQ("", text);
    FreeText(text);
}

namespace {

LRESULT CALLBACK PlainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

TEST(RegisterWindowClass, RegistersOnceAndFindsItAgain)
{
    WNDCLASSA description = {};
    description.lpfnWndProc = PlainWndProc;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "SystemServicesTestClass";
    RegisterWindowClass(description);
    WNDCLASSA found;
    ASSERT_TRUE(GetClassInfoA(description.hInstance, "SystemServicesTestClass", &found));
    EXPECT_EQ(PlainWndProc, found.lpfnWndProc);
    // A second registration finds the class and leaves it alone.
    RegisterWindowClass(description);
    HWND window = CreateWindowA("SystemServicesTestClass", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                description.hInstance, nullptr);
    EXPECT_NE(nullptr, window);
    DestroyWindow(window);
    UnregisterClassA("SystemServicesTestClass", description.hInstance);
}

TEST(TaskbarRebar, ChildFoundByClassAndEmptyTitle)
{
    EXPECT_FALSE(TaskbarHoldsRebar(nullptr));

    // A stand-in taskbar of the test's own classes.
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA bar = {};
    bar.lpfnWndProc = PlainWndProc;
    bar.hInstance = instance;
    bar.lpszClassName = "TaskbarTestFrame";
    ASSERT_TRUE(RegisterClassA(&bar));
    WNDCLASSA rebar = bar;
    rebar.lpszClassName = "ReBarWindow32";
    const bool ownRebarClass = RegisterClassA(&rebar) != 0;

    HWND taskbar = CreateWindowA("TaskbarTestFrame", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    ASSERT_NE(nullptr, taskbar);
    EXPECT_FALSE(TaskbarHoldsRebar(taskbar));
    // A titled rebar is not the taskbar's.
    ASSERT_NE(nullptr, CreateWindowA("ReBarWindow32", "bar", WS_CHILD, 0, 0, 5, 5, taskbar, nullptr, instance, nullptr));
    EXPECT_FALSE(TaskbarHoldsRebar(taskbar));
    ASSERT_NE(nullptr, CreateWindowA("ReBarWindow32", "", WS_CHILD, 0, 0, 5, 5, taskbar, nullptr, instance, nullptr));
    EXPECT_TRUE(TaskbarHoldsRebar(taskbar));
    DestroyWindow(taskbar);
    UnregisterClassA("TaskbarTestFrame", instance);
    if (ownRebarClass)
        UnregisterClassA("ReBarWindow32", instance);

    // The kept answer is the one of the first question.
    const bool first = HasTaskbarRebar();
    EXPECT_EQ(FindTaskbarRebar(), first);
    EXPECT_EQ(first, HasTaskbarRebar());
}

// A system library's own dependencies come from the system directory even when
// the program's folder holds a DLL of the same name (library_probe.exe).
TEST(SystemLibraries, TakeWhatTheyNeedFromTheSystemNotFromTheProgramsFolder)
{
    char probe[MAX_PATH];
    GetModuleFileNameA(nullptr, probe, MAX_PATH);
    std::strcpy(std::strrchr(probe, '\\'), "\\library_probe\\library_probe.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(probe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    DWORD code = 99;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (code == 3)
        GTEST_SKIP() << "this system's winmm.dll needs no msacm32.dll";
    EXPECT_EQ(0u, code);
}
