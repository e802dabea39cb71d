// Help beside the program: the old viewer's file where it exists, else the
// HTML page, addressed at a topic's section by its file URL.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/help_page.h"
#include "tests/help_browser.h"

namespace {

std::string Url(const char* page, int topic)
{
    TText url;
    HelpPageUrl(url.Slot(), page, topic);
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
        // The second byte of "ソ" has the value of a backslash.
        {"C:\\ソフト\\50% #1\\ﾍﾙﾌﾟ.html", 7, "file:///C:/ソフト/50%25%20%231/ﾍﾙﾌﾟ.html#topic-7"},
        {"\\\\server\\share\\Indicator.html", 1001, "file://server/share/Indicator.html#topic-1001"},
        {"C:\\a\\..\\b\\Indicator.html", -1, "file:///C:/b/Indicator.html"},
        {"Indicator.html", 0, here},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.url, Url(row.page, row.topic)) << row.page << " " << row.topic;
}

// Which help a program has, by the files beside it: the help switch ends the
// program when there is either; the page is used only without the viewer's
// file, and where neither is there the viewer is asked all the same.
TEST(HelpPage, TheViewersFileComesFirstThePageSecond)
{
    TProgramBesideHelp program("help page", "/?");
    TWinHelpCatcher viewer;
    TText page;
    HelpPagePath(page.Slot());
    EXPECT_EQ(program.Page, page.Get());
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
}
