// Help beside the program: the old viewer's file where it exists, else the
// HTML page, addressed at a topic's section by its file URL.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/help_page.h"
#include "framework/util/wide_text.h"
#include "tests/help_browser.h"

namespace {

std::string Url(const char* page, int topic)
{
    TText url;
    AnsiText(url.Slot(), HelpPageUrl(WideText(page), topic));
    return url.Get();
}

}  // namespace

TEST(HelpPageUrl, FileUrlOfThePageWithTheTopicsSection)
{
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string here = std::string("file:///") + current + "/Indicator.html";
    for (char& c : here)
        c = c == '\\' ? '/' : c;
    const struct {
        const char* page;
        int topic;
        std::string url;
    } rows[] = {
        {"C:\\Program Files\\Pelorum\\Indicator.html", 0, "file:///C:/Program%20Files/Pelorum/Indicator.html"},
        {"C:\\Program Files\\Pelorum\\Indicator.html", 1001,
         "file:///C:/Program%20Files/Pelorum/Indicator.html#topic-1001"},
        // UTF-8 whatever the code page (the second byte of "ソ" in code page
        // 932 has the value of a backslash).
        {"C:\\ソフト\\50% #1\\ﾍﾙﾌﾟ.html", 7,
         "file:///C:/%E3%82%BD%E3%83%95%E3%83%88/50%25%20%231/%EF%BE%8D%EF%BE%99%EF%BE%8C%EF%BE%9F.html#topic-7"},
        {"D:\\Ελ\\a+b&c;d=e'(f)~_-.html", 0, "file:///D:/%CE%95%CE%BB/a%2Bb%26c%3Bd%3De%27%28f%29~_-.html"},
        {"\\\\server\\share\\Indicator.html", 1001, "file://server/share/Indicator.html#topic-1001"},
        {"\\\\?\\C:\\Long\\Indicator.html", 0, "file:///C:/Long/Indicator.html"},
        {"\\\\?\\UNC\\server\\share\\a b.html", 0, "file://server/share/a%20b.html"},
        {"C:\\a\\..\\b\\Indicator.html", -1, "file:///C:/b/Indicator.html"},
        {"Indicator.html", 0, here},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.url, Url(row.page, row.topic)) << row.page << " " << row.topic;
    EXPECT_EQ(L"file:///D:/M%C3%BCller/%E2%82%AC.html", HelpPageUrl(L"D:\\M\u00FCller\\\u20AC.html", 0));  // not in 932
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
        OpenHelp(nullptr, HELP_QUIT, 0, 0);
        EXPECT_EQ(row.pageInUse ? 0u : 1u, viewer.Calls.size());
    }
    // A folder of the page's name is no page.
    program.Place(false, false);
    ASSERT_TRUE(CreateDirectoryA(program.Page.c_str(), nullptr));
    EXPECT_FALSE(HelpPageInUse() || IsHelpRequested());
    RemoveDirectoryA(program.Page.c_str());
}

// A topic opens with the command for web addresses and its arguments; without
// one, or when it does not start, the page opens as a file.
TEST(HelpPage, TopicsOpenWithTheCommandForWebAddresses)
{
    TProgramBesideHelp program("help topic");
    TTestBrowser browser;
    const std::string quoted = "\"" + browser.Program + "\"", opened = Url(program.Page.c_str(), 1001) + "\r\n";
    SetEnvironmentVariableA("HELP_TEST_BROWSER", browser.Program.c_str());
    const std::pair<std::string, std::string> rows[] = {
        {quoted + " --single-argument %1", "--single-argument\r\n" + opened},
        {quoted + " -osint -url \"%1\"", "-osint\r\n-url\r\n" + opened},
        {quoted + " %L %* %2 \"100%%\"", opened + "100%\r\n"},
        {quoted + " --new-window", "--new-window\r\n" + opened},
        {"\"%HELP_TEST_BROWSER%\" %1", opened},
        {"", program.Page + "\r\n"},
        {"\"C:\\missing\\browser.exe\" %1", program.Page + "\r\n"},
    };
    for (const auto& row : rows) {
        browser.Use(quoted + " \"%1\"", row.first);
        OpenHelp(nullptr, HELP_CONTEXT, 1001, 1001);
        EXPECT_EQ(row.second, browser.NextStart()) << row.first;
    }
    SetEnvironmentVariableA("HELP_TEST_BROWSER", nullptr);
}
