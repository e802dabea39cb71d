// Help as the user asks for it from Indicator.exe, with the help page that the
// build puts beside it and the stand-in browser registered for ".html": the
// menu's help, the help switch and the "do not show again" box of a message.
#include <windows.h>

#include "tests/help_browser.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

void Touch(const std::string& path)
{
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// The message's one check box (another process's help topics cannot be read).
HWND CheckBoxOf(HWND message)
{
    for (HWND child = GetWindow(message, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            return child;
    return nullptr;
}

// A file URL of a path whose every character is ASCII.
std::string AsciiFileUrl(std::string path)
{
    for (char& c : path) {
        EXPECT_GT(0x80, static_cast<unsigned char>(c)) << path;
        c = c == '\\' ? '/' : c;
    }
    return "file:///" + path;
}

}  // namespace

// The menu's help opens the page; exit then asks the viewer for nothing. With
// the viewer's file beside the program, both go to the viewer as before.
TEST_F(IndicatorTest, MenuHelpOpensThePageWithoutTheViewersFile)
{
    TTestBrowser browser;
    TWinHelpCatcher viewer;
    const std::string page = TestProgramFolder() + "Indicator.html", helpFile = TestProgramFolder() + "Indicator.HLP";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(page.c_str())) << "the build puts the page beside the program";
    for (bool withHelpFile : {false, true}) {
        SCOPED_TRACE(withHelpFile ? "with the viewer's file" : "with the page alone");
        if (withHelpFile)
            Touch(helpFile);
        viewer.Calls.clear();
        TIndicator indicator;
        ASSERT_TRUE(indicator.Start("/restore"));
        PostMessageA(indicator.Monitor, WM_COMMAND, 9, 0);
        if (withHelpFile)
            EXPECT_TRUE(PumpUntil([&] { return !viewer.Calls.empty(); }, Patience));
        else
            EXPECT_EQ(page + "\r\n", browser.NextStart());
        PostMessageA(indicator.Monitor, WM_COMMAND, 199, 0);
        HWND message = WaitForShape(indicator.info.dwProcessId);
        ASSERT_NE(nullptr, message);
        PressButton(message, IDOK);
        EXPECT_EQ(0, indicator.Finish());
        std::vector<UINT> commands;
        for (const TWinHelpCall& call : viewer.Calls) {
            commands.push_back(call.command);
            EXPECT_EQ(helpFile, call.file);
        }
        EXPECT_EQ(withHelpFile ? std::vector<UINT>({HELP_INDEX, HELP_QUIT}) : std::vector<UINT>(), commands);
    }
    DeleteFileA(helpFile.c_str());
    EXPECT_EQ("", browser.Log());
}

// "/?" and "/help" open the page and end the program before it does anything.
TEST_F(IndicatorTest, HelpSwitchOpensThePageAndEnds)
{
    TTestBrowser browser;
    for (const char* help : {"/?", "/HELP"}) {
        SCOPED_TRACE(help);
        TProcess program;
        ASSERT_TRUE(program.Start("\"" + TestProgramFolder() + "Indicator.exe\" " + help));
        EXPECT_EQ(-1, program.Finish());
        EXPECT_FALSE(program.Running());
        EXPECT_EQ(TestProgramFolder() + "Indicator.html\r\n", browser.NextStart());
        // A start by hand that went on would have written its shortcut.
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(StartupShortcutFile().c_str()));
        EXPECT_EQ(nullptr, FindMonitor());
    }
}

// "Indicator /help" as a console starts a program found through PATH, in a folder
// with a help file of its name: the help beside the program opens, the viewer's
// file first; where nothing opens the page, a message names it.
TEST_F(IndicatorTest, HelpSwitchFindsTheHelpBesideTheProgram)
{
    TTestBrowser browser;
    const std::string folder = TestProgramFolder(), elsewhere = folder + "elsewhere\\", page = folder + "Indicator.html";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    Touch(elsewhere + "Indicator.HLP");
    enum { Page, HelpFile, NothingOpens };
    for (int row : {Page, HelpFile, NothingOpens}) {
        SCOPED_TRACE(row);
        TWinHelpCatcher viewer;
        if (row == HelpFile)
            Touch(folder + "Indicator.HLP");
        if (row == NothingOpens)
            browser.Use("\"C:\\missing.exe\" \"%1\"", "");
        TProcess program;
        ASSERT_TRUE(program.Start("Indicator /help", folder + "Indicator.exe", elsewhere));
        if (row == NothingOpens) {
            HWND message = WaitForShape(program.info.dwProcessId);
            ASSERT_NE(nullptr, message);
            const std::string text = WindowText(FindWindowExA(message, nullptr, "TransparentEdit", nullptr));
            EXPECT_NE(std::string::npos, text.find("\"" + page + "\"")) << text;
            Screenshot(message, "help_unopened_message.png");
            PressButton(message, IDOK);
        }
        EXPECT_EQ(-1, program.Finish());
        EXPECT_EQ(row == Page ? page + "\r\n" : "", row == Page ? browser.NextStart() : browser.Log());
        EXPECT_EQ(row == HelpFile ? 1u : 0u, viewer.Calls.size());
        for (const TWinHelpCall& call : viewer.Calls)
            EXPECT_TRUE(call.command == HELP_INDEX && call.file == folder + "Indicator.HLP");
        DeleteFileA((folder + "Indicator.HLP").c_str());
    }
    DeleteFileA((elsewhere + "Indicator.HLP").c_str());
    RemoveDirectoryA(elsewhere.c_str());
}

// The "do not show again" box of the Register message opens the page at its
// section, from its context-help popup and with F1, also from a folder whose
// name must be written differently in a URL.
TEST_F(IndicatorTest, MessageBoxOpensThePageAtTheBoxsTopic)
{
    TTestBrowser browser;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "ソフト #1\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"Indicator.exe", "LAMPHOOK.dll", "Indicator.html"})
        ASSERT_TRUE(CopyFileA((TestProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    const std::string section = AsciiFileUrl(temp) + "%E3%82%BD%E3%83%95%E3%83%88%20%231/Indicator.html#topic-1001\r\n";

    ASSERT_TRUE(indicator_.Start("", folder + "Indicator.exe"));
    HWND message = WaitForShape(indicator_.info.dwProcessId);
    ASSERT_NE(nullptr, message);
    HWND box = CheckBoxOf(message);
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(GetWindowLongA(message, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

    // The popup of the box, its one item chosen with the keyboard.
    RECT at;
    GetWindowRect(box, &at);
    PostMessageA(message, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), MAKELPARAM(at.left + 2, at.top + 2));
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = FindWindowOf(indicator_.info.dwProcessId, "#32768")); }, Patience));
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(section, browser.NextStart());

    // F1 on the box, as the system passes it on to the focused control
    // (the message it posts for the key; typed F1 is tested in the shapes).
    const UINT keyF1Message = 0x004D;
    PostMessageA(box, keyF1Message, 0, 0);
    EXPECT_EQ(section, browser.NextStart());

    PressButton(message, IDOK);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(message); }, Patience));
    EXPECT_EQ(0, indicator_.Close());
    for (const char* file : {"Indicator.exe", "LAMPHOOK.dll", "Indicator.html"})
        DeleteFileA((folder + file).c_str());
    RemoveDirectoryA(folder.c_str());
    DeleteFileA(StartupShortcutFile().c_str());
}
