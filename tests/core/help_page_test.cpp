// Help beside the program: the old viewer's file where it exists, else the
// HTML page, addressed at a topic's section by its file URL.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/help_page.h"
#include "tests/help_browser.h"

TEST(HelpPageUrl, FileUrlOfThePageWithTheTopicsSection)
{
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring here = std::wstring(L"file:///") + current + L"/Indicator.html";
    for (wchar_t& c : here)
        c = c == L'\\' ? L'/' : c;
    const struct {
        const wchar_t* page;
        int topic;
        std::wstring url;
    } rows[] = {
        {L"C:\\Program Files\\Pelorum\\Indicator.html", 0, L"file:///C:/Program%20Files/Pelorum/Indicator.html"},
        {L"C:\\Program Files\\Pelorum\\Indicator.html", 1001,
         L"file:///C:/Program%20Files/Pelorum/Indicator.html#topic-1001"},
        // UTF-8, whatever the code page: the second byte of "ソ" in code page
        // 932 has the value of a backslash.
        {L"C:\\ソフト\\50% #1\\ﾍﾙﾌﾟ.html", 7,
         L"file:///C:/%E3%82%BD%E3%83%95%E3%83%88/50%25%20%231/%EF%BE%8D%EF%BE%99%EF%BE%8C%EF%BE%9F.html#topic-7"},
        {L"D:\\Müller\\Ελ\\a+b&c;d=e'(f)~_-.html", 0,
         L"file:///D:/M%C3%BCller/%CE%95%CE%BB/a%2Bb%26c%3Bd%3De%27%28f%29~_-.html"},
        {L"\\\\server\\share\\Indicator.html", 1001, L"file://server/share/Indicator.html#topic-1001"},
        {L"\\\\?\\C:\\Long\\Indicator.html", 0, L"file:///C:/Long/Indicator.html"},
        {L"\\\\?\\UNC\\server\\share\\a b.html", 0, L"file://server/share/a%20b.html"},
        {L"C:\\a\\..\\b\\Indicator.html", -1, L"file:///C:/b/Indicator.html"},
        {L"Indicator.html", 0, here},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.url, HelpPageUrl(row.page, row.topic)) << row.topic;
}

// Which help a program has, by the files beside it: the help switch ends the
// program when there is either; the page is used only without the viewer's
// file, and where neither is there the viewer is asked all the same.
TEST(HelpPage, TheViewersFileComesFirstThePageSecond)
{
    TProgramBesideHelp program("help page", "/?");
    TWinHelpCatcher viewer;
    EXPECT_EQ(WideText(program.Page.c_str()), BesideProgram(L".html"));
    const struct {
        bool helpFile, page;
        bool pageInUse, helpSwitchEnds;
    } rows[] = {
        {false, false, false, false},
        {true, false, false, true},
        {false, true, true, true},
        {true, true, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.helpFile) + std::to_string(row.page));
        program.Place(row.page, row.helpFile);
        EXPECT_EQ(row.pageInUse, HelpPageInUse());
        EXPECT_EQ(row.helpSwitchEnds, IsHelpRequested());
        viewer.Calls.clear();
        RequestHelp(nullptr, HELP_QUIT, 0, 0);
        EXPECT_EQ(row.pageInUse ? 0u : 1u, viewer.Calls.size());
    }
    // A folder of the page's name is no page.
    program.Place(false, false);
    ASSERT_TRUE(CreateDirectoryA(program.Page.c_str(), nullptr));
    EXPECT_FALSE(HelpPageInUse());
    EXPECT_FALSE(IsHelpRequested());
    RemoveDirectoryA(program.Page.c_str());
}

// A topic opens with what the system starts for web addresses, with the
// arguments its command names; without such a command, or when it does not
// start, the page opens as a file.
TEST(HelpPage, TopicsOpenWithTheCommandForWebAddresses)
{
    TProgramBesideHelp program("help topic");
    TTestBrowser browser;
    TText url;
    AnsiText(url.Slot(), HelpPageUrl(WideText(program.Page.c_str()), 1001));
    const std::string quoted = "\"" + browser.Program + "\"", opened = std::string(url.Get()) + "\r\n";
    SetEnvironmentVariableA("HELP_TEST_BROWSER", browser.Program.c_str());
    const struct {
        std::string command, opened;
    } rows[] = {
        {quoted + " --single-argument %1", "--single-argument\r\n" + opened},
        {quoted + " -osint -url \"%1\"", "-osint\r\n-url\r\n" + opened},
        {quoted + " %L %* %2 \"100%%\"", opened + "100%\r\n"},
        {quoted + " --new-window", "--new-window\r\n" + opened},
        {"\"%HELP_TEST_BROWSER%\" %1", opened},
        {"", program.Page + "\r\n"},
        {"\"C:\\missing\\browser.exe\" %1", program.Page + "\r\n"},
    };
    for (const auto& row : rows) {
        browser.Use(quoted + " \"%1\"", row.command);
        RequestHelp(nullptr, HELP_CONTEXT, 1001, 1001);
        EXPECT_EQ(row.opened, browser.NextStart()) << row.command;
    }
    SetEnvironmentVariableA("HELP_TEST_BROWSER", nullptr);
}
