// Help beside the program: the old viewer's file where it exists, else the
// HTML page, opened by the shell or, at a topic's section, by the browser the
// system associates with ".html" (a stand-in registered by the test).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/app_globals.h"
#include "framework/core/command_line.h"
#include "framework/core/help_page.h"
#include "framework/util/text.h"
#include "tests/help_browser.h"

namespace {

std::string Url(const char* page, int topic)
{
    TText url;
    HelpPageUrl(url.Slot(), page, topic);
    return url.Get();
}

void Touch(const std::string& path, bool present)
{
    if (!present) {
        DeleteFileA(path.c_str());
        return;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    CloseHandle(file);
}

// A program path in a folder of the test's own, whose name holds a space, a
// '#', a '%' and "ソ" (its second byte is the value of a backslash).
class HelpPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "ソフト #5 100% " + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        SplitCommandLine(("\"" + folder_ + "\\prog.exe\" /?").c_str());
        helpFile_ = folder_ + "\\prog.HLP";
        page_ = folder_ + "\\prog.html";
    }
    void TearDown() override
    {
        DeleteFileA(helpFile_.c_str());
        DeleteFileA(page_.c_str());
        RemoveDirectoryA(folder_.c_str());
        SplitCommandLine("");
    }

    std::string folder_, helpFile_, page_;
};

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
        {"C:\\ソフト\\50% #1\\ﾍﾙﾌﾟ.html", 7, "file:///C:/ソフト/50%25%20%231/ﾍﾙﾌﾟ.html#topic-7"},
        {"\\\\server\\share\\Indicator.html", 1001, "file://server/share/Indicator.html#topic-1001"},
        {"C:\\a\\..\\b\\Indicator.html", -1, "file:///C:/b/Indicator.html"},
        {"Indicator.html", 0, here},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.url, Url(row.page, row.topic)) << row.page << " " << row.topic;
}

// Which help a program has, by the files beside it: the help switch ends the
// program when there is either; the page is used only without the help file.
TEST_F(HelpPageTest, TheHelpFileComesFirstThePageSecond)
{
    TText page;
    HelpPagePath(page.Slot());
    EXPECT_EQ(page_, page.Get());
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
        Touch(helpFile_, row.helpFile);
        Touch(page_, row.page);
        EXPECT_EQ(row.pageInUse, HelpPageInUse());
        EXPECT_EQ(row.helpSwitchEnds, IsHelpRequested());
    }
}

// Each help request, by the files beside the program: the old viewer gets it
// as before, or the browser gets the page (at the topic's section).
TEST_F(HelpPageTest, RequestsGoToTheViewerOrTheBrowser)
{
    TTestBrowser browser;
    TWinHelpCatcher viewer;
    const std::string section = Url(page_.c_str(), 1001);
    ASSERT_NE(std::string::npos, section.find("/ソフト%20%235%20100%25%20")) << section;
    const struct {
        bool helpFile, page;
        UINT command;
        int topic;
        std::string opened;  // the browser's arguments; "" when it is not started
        bool viewerCalled;
    } rows[] = {
        {false, true, HELP_INDEX, 0, page_ + "\r\n", false},
        {false, true, HELP_CONTEXT, 1001, section + "\r\n", false},
        {false, true, HELP_CONTEXTPOPUP, -1, page_ + "\r\n", false},
        {false, true, HELP_QUIT, 0, "", false},
        {true, true, HELP_INDEX, 0, "", true},
        {true, true, HELP_CONTEXT, 1001, "", true},
        {true, false, HELP_QUIT, 0, "", true},
        {false, false, HELP_CONTEXT, 1001, "", true},
        {false, false, HELP_QUIT, 0, "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("row " + std::to_string(&row - rows));
        Touch(helpFile_, row.helpFile);
        Touch(page_, row.page);
        viewer.Calls.clear();
        RequestHelp(nullptr, row.command, static_cast<ULONG_PTR>(row.topic), row.topic);
        if (!row.opened.empty())
            EXPECT_EQ(row.opened, browser.NextStart());
        else
            EXPECT_EQ("", browser.Log());
        ASSERT_EQ(row.viewerCalled ? 1u : 0u, viewer.Calls.size());
        if (row.viewerCalled) {
            EXPECT_EQ(row.command, viewer.Calls[0].command);
            EXPECT_EQ(helpFile_, viewer.Calls[0].file);
        }
    }
    // The rows that started nothing are followed by one that did: a late start
    // of theirs would have shown in its log.
    Touch(helpFile_, false);
    Touch(page_, true);
    EXPECT_TRUE(OpenHelpPage(0));
    EXPECT_EQ(page_ + "\r\n", browser.NextStart());
}
