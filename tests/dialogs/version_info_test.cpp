// The version-information content: its build lines written once from the
// application's values and shown the same at every showing, and the process's
// pointer to it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/dialogs/shape.h"
#include "framework/dialogs/version_info.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"
#include "tests/dialogs/shape_fixture.h"

TEST(VersionInfo, ShownWithTheSameBuildLinesEveryTime)
{
    UseTestModule();
    TTestSettings settings("VersionInfo");
    {
        TVersionInfo content(TAppInfo("Mar  8 2000", "02:23:59", "Pelorum", "1.x", "Copyright (C) 2000 Velquist",
                                      "http://example.com/", "MailTo:pelorum@example.com"));
        EXPECT_EQ(&content, CurrentVersionInfo);
        for (int showing = 0; showing < 2; ++showing) {
            TShape shape(nullptr, "Pelorum ﾊﾞｰｼﾞｮﾝ情報", &content, nullptr);
            shape.SettingsName.Set("VersionShape");
            const int result = RunScripted(
                shape, {WhenActive(shape), [&] {
                            EXPECT_EQ("Pelorum version 1.x\r\n作成日付\t平成12年 3月 8日\r\n作成時刻\t午前 2時23分59秒",
                                      TextOf(content.BuildInfo.MessageText.Control.Hwnd));
                            EXPECT_EQ("Copyright (C) 2000 Velquist", TextOf(content.CopyrightInfo.MessageText.Control.Hwnd));
                            if (showing == 0) {
                                RECT window;
                                GetWindowRect(shape.Hwnd, &window);
                                EXPECT_TRUE(SaveScreenshot(CaptureScreen(window), "version_info.png"));
                            }
                            SendMessageA(GetDlgItem(shape.Hwnd, IDOK), BM_CLICK, 0, 0);
                            return true;
                        }});
            EXPECT_EQ(IDOK, result);
        }
    }
    EXPECT_EQ(nullptr, CurrentVersionInfo);

    // Before 8 January 1989 the era is still Showa (昭和); noon is neither morning nor afternoon.
    const TVersionInfo early(TAppInfo("Jan  7 1989", "12:00:00", "Pelorum", "1.x", "", "", ""));
    EXPECT_STREQ("Pelorum version 1.x\r\n作成日付\t昭和64年 1月 7日\r\n作成時刻\t正午 0時 0分 0秒",
                 early.BuildInfo.MessageText.Text.Get());
}
