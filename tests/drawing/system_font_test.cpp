// The system's fonts and the display's palette, as the drawing code takes them.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/drawing/palette_device.h"
#include "framework/drawing/system_font.h"

TEST(SystemFont, EveryKindFromTheMetrics)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
    LOGFONTA iconTitle = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0));
    const LOGFONTA* expected[] = {&metrics.lfCaptionFont, &iconTitle, &metrics.lfMenuFont,
                                  &metrics.lfMessageFont, &metrics.lfSmCaptionFont, &metrics.lfStatusFont};
    for (int kind = 0; kind <= 5; ++kind) {
        SCOPED_TRACE(kind);
        HFONT font = CreateSystemFont(kind);
        ASSERT_NE(nullptr, font);
        LOGFONTA made = {};
        ASSERT_EQ(static_cast<int>(sizeof made), GetObjectA(font, sizeof made, &made));
        EXPECT_EQ(expected[kind]->lfHeight, made.lfHeight);
        EXPECT_EQ(expected[kind]->lfWeight, made.lfWeight);
        EXPECT_STREQ(expected[kind]->lfFaceName, made.lfFaceName);
        DeleteObject(font);
    }
}

TEST(SystemFont, KindsOutsideTheTableGiveNoFont)
{
    EXPECT_EQ(nullptr, CreateSystemFont(6));
    EXPECT_EQ(nullptr, CreateSystemFont(-1));
    EXPECT_EQ(nullptr, CreateSystemFont(1000));
}

TEST(PaletteDevice, TrueColourScreen)
{
    HDC screen = GetDC(nullptr);
    ASSERT_NE(nullptr, screen);
    // The test display has 24 bits per pixel: no palette.
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) > 8, IsNonPaletteDevice(screen));
    ReleaseDC(nullptr, screen);
}
