// The real program copied into folders whose names code page 932 lacks ("ü",
// "ø"; the test prefix has code page 932): it starts, its hook is loaded (a
// lock key typed elsewhere changes the tray's picture), the start-up shortcut
// it writes names its real path, and "/?" opens the help page beside it.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "framework/util/shortcut.h"
#include "framework/util/wide_text.h"
#include "tests/help_browser.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

// Starts the program file with the command line, in UTF-16 throughout.
bool StartWide(TProcess& process, const std::wstring& program, const std::wstring& switches)
{
    std::wstring line = L"\"" + program + L"\" " + switches;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process.info) != FALSE;
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// The shortcut's target as its item list names it. (Wine keeps the path text
// of a shortcut in the code page, so its GetPath names "Muller"; the item
// list holds the names in UTF-16, as Windows's path text does.)
std::wstring LinkTarget(const std::wstring& link)
{
    std::wstring target;
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    PIDLIST_ABSOLUTE items = nullptr;
    wchar_t path[MAX_PATH] = L"";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell))) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(link.c_str(), 0)) && SUCCEEDED(shell->GetIDList(&items)) && items &&
        SHGetPathFromIDListW(items, path))
        target = path;
    CoTaskMemFree(items);
    if (file)
        file->Release();
    if (shell)
        shell->Release();
    return target;
}

}  // namespace

// A suite of its own: the indicator's suite is long already.
class IndicatorFolderTest : public IndicatorTest {};

TEST_F(IndicatorFolderTest, RunsFromFoldersWhoseNamesTheCodePageLacks)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring source = WideText(TestProgramFolder().c_str());
    for (const wchar_t* name : {L"M\u00FCller", L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC-\u00F8"}) {
        SCOPED_TRACE(Utf8Text(name));
        const std::wstring folder = std::wstring(temp) + name + L"\\", program = folder + L"Indicator.exe";
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* file : {L"Indicator.exe", L"LAMPHOOK.dll", L"Indicator.html"})
            ASSERT_TRUE(CopyFileW((source + file).c_str(), (folder + file).c_str(), FALSE)) << Utf8Text(file);

        // Started by hand: the "Register" message shows while the shortcut is there.
        TIndicator byHand;
        ASSERT_TRUE(StartWide(byHand, program, L""));
        HWND message = WaitForShape(byHand.info.dwProcessId);
        ASSERT_NE(nullptr, message);
        CoInitialize(nullptr);
        TShortcutParts parts;
        const std::wstring link = WideText(StartupShortcutFile().c_str()), target = LinkTarget(link);
        EXPECT_TRUE(ReadShortcut(link, parts));
        CoUninitialize();
        EXPECT_TRUE(SamePath(program, target)) << Utf8Text(target);
        EXPECT_EQ(L"/restore", parts.Arguments);
        EXPECT_TRUE(SamePath(folder, parts.WorkingFolder)) << Utf8Text(parts.WorkingFolder);
        PressButton(message, IDOK);

        // The hook beside it is loaded: Caps Lock typed in another program shows.
        byHand.Monitor = FindMonitor(byHand.info.dwProcessId);
        ASSERT_TRUE(PumpUntil([&] { return IndicatorIconInTray(byHand.Monitor); }, Patience));
        EXPECT_EQ(0, TypeInSteps({"d14 u14", "d14 u14"}, [&](size_t step) {
                      ExpectTrayPicture(IconName('A', step == 0 ? 2 : 0));
                  }));

        // Exit: the "Unregister" message, then no shortcut.
        PostMessageW(byHand.Monitor, WM_COMMAND, 199, 0);
        message = WaitForShape(byHand.info.dwProcessId);
        ASSERT_NE(nullptr, message);
        PressButton(message, IDOK);
        EXPECT_EQ(0, byHand.Finish());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(StartupShortcutFile().c_str()));

        // "/?": the shell opened the page beside the program
        // (the stand-in browser logs its argument in the code page, which
        // lacks the folder's name: only the file's name is compared).
        {
            TTestBrowser browser;
            TProcess help;
            ASSERT_TRUE(StartWide(help, program, L"/?"));
            EXPECT_EQ(-1, help.Finish());
            const std::string started = browser.NextStart(), ending = "\\Indicator.html\r\n";
            EXPECT_TRUE(started.size() > ending.size() &&
                        started.compare(started.size() - ending.size(), ending.size(), ending) == 0)
                << started;
        }
        for (const wchar_t* file : {L"Indicator.exe", L"LAMPHOOK.dll", L"Indicator.html"})
            DeleteFileW((folder + file).c_str());
        RemoveDirectoryW(folder.c_str());
    }
}
