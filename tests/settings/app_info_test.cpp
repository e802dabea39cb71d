#include <gtest/gtest.h>

#include "framework/settings/app_info.h"

TEST(AppInfo, BuildStampAndTexts)
{
    const TAppInfo info("Mar  8 2000", "02:23:59", "Pelorum", "1.x", "(C) 2000", "http://example.com/",
                        "MailTo:someone@example.com");
    EXPECT_EQ(2000, info.BuildDate.year);
    EXPECT_EQ(3, info.BuildDate.month);
    EXPECT_EQ(8, info.BuildDate.day);
    EXPECT_EQ(2, info.BuildTime.hour);
    EXPECT_EQ(23, info.BuildTime.minute);
    EXPECT_EQ(59, info.BuildTime.second);
    EXPECT_STREQ("Pelorum", info.ProductName);
    EXPECT_STREQ("1.x", info.Version);
    EXPECT_STREQ("(C) 2000", info.Copyright);
    EXPECT_STREQ("http://example.com/", info.HomePage);
    EXPECT_STREQ("MailTo:someone@example.com", info.MailAddress);
}

TEST(AppInfo, MissingValuesAreEmpty)
{
    const TAppInfo info(nullptr, "", nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(0, info.BuildDate.year);
    EXPECT_EQ(0, info.BuildDate.month);
    EXPECT_EQ(0, info.BuildTime.hour);
    EXPECT_STREQ("", info.ProductName);
    EXPECT_STREQ("", info.Version);
    EXPECT_STREQ("", info.MailAddress);
}
