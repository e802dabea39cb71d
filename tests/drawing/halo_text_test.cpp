// Halo text on memory DCs: the halo is exactly the text's own pixels moved
// by the twenty offsets, in the background colour, under the text.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/drawing/halo_text.h"
#include "tests/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kBlue = RGB(0, 0, 255);

// A font with no smoothing: every pixel of the text is the text colour or untouched.
HFONT CrispFont()
{
    LOGFONTA font;
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = -13;
    font.lfQuality = NONANTIALIASED_QUALITY;
    return CreateFontIndirectA(&font);
}

// The pixels `draw` inks in black on white.
std::vector<bool> InkOf(HFONT font, int width, int height, const std::function<void(HDC)>& draw)
{
    TCanvas canvas(width, height);
    canvas.Fill(kWhite);
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    SetTextColor(canvas.Dc(), kBlack);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    draw(canvas.Dc());
    SelectObject(canvas.Dc(), old);
    const TPixels pixels = canvas.Pixels();
    std::vector<bool> ink(pixels.data.size());
    for (size_t i = 0; i < ink.size(); ++i)
        ink[i] = pixels.data[i] != kWhite;
    return ink;
}

// What halo text over white must look like, given the ink of the plain text.
// `emboss` adds the disabled look: the ink in the shadow colour over a copy
// one pixel down and right in the highlight colour.
std::vector<COLORREF> Expected(const std::vector<bool>& ink, int width, int height, COLORREF text, bool emboss)
{
    auto inked = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height && ink[y * width + x]; };
    std::vector<COLORREF> expected(ink.size(), kWhite);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF& pixel = expected[y * width + x];
            if (inked(x, y)) {
                pixel = text;
                continue;
            }
            if (emboss && inked(x - 1, y - 1)) {
                pixel = GetSysColor(COLOR_3DHILIGHT);
                continue;
            }
            // The halo: the 5 x 5 square around each inked pixel without its corners.
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if ((dx != 2 && dx != -2) || (dy != 2 && dy != -2))
                        if (inked(x - dx, y - dy))
                            pixel = kBlue;
        }
    return expected;
}

}  // namespace

TEST(HaloText, PrefixTextOverAHaloInTheBackgroundColour)
{
    HFONT font = CrispFont();
    const int width = 140, height = 36;
    const struct {
        const char* text;
        bool enabled;
    } cases[] = {{"&Halo text", true}, {"A&&B &x", true}, {"漢字ｶﾅ", true}, {"&Disabled", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<bool> ink = InkOf(font, width, height, [&](HDC dc) {
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(c.text), 0, 12, 9, 0, 0, DST_PREFIXTEXT);
        });
        TCanvas canvas(width, height);
        canvas.Fill(kWhite);
        HGDIOBJ old = SelectObject(canvas.Dc(), font);
        SetTextColor(canvas.Dc(), kBlack);
        SetBkColor(canvas.Dc(), kBlue);
        SetBkMode(canvas.Dc(), OPAQUE);
        DrawHaloText(canvas.Dc(), 12, 9, c.enabled, c.text);
        EXPECT_EQ(OPAQUE, GetBkMode(canvas.Dc()));
        EXPECT_EQ(kBlack, GetTextColor(canvas.Dc()));
        SelectObject(canvas.Dc(), old);
        const std::vector<COLORREF> expected =
            Expected(ink, width, height, c.enabled ? kBlack : GetSysColor(COLOR_3DSHADOW), !c.enabled);
        EXPECT_EQ(expected, canvas.Pixels().data);
    }
    DeleteObject(font);
}

TEST(HaloText, TabbedLinesEachWithTheirHalo)
{
    HFONT font = CrispFont();
    const int width = 160, height = 70;
    const char* lines[] = {"a\tb", " ", "c\t\td"};  // the empty middle line takes a space's height
    const std::vector<bool> ink = InkOf(font, width, height, [&](HDC dc) {
        int top = 5;
        for (const char* line : lines)
            top += HIWORD(TabbedTextOutA(dc, 6, top, line, lstrlenA(line), 0, nullptr, 6));
    });
    for (const char* text : {"a\tb\r\n\r\nc\t\td", "a\tb\n\nc\t\td"}) {
        TCanvas canvas(width, height);
        canvas.Fill(kWhite);
        HGDIOBJ old = SelectObject(canvas.Dc(), font);
        SetTextColor(canvas.Dc(), RGB(1, 2, 3));
        SetBkMode(canvas.Dc(), OPAQUE);
        DrawHaloTabbedText(canvas.Dc(), 6, 5, text, kBlack, kBlue);
        EXPECT_EQ(RGB(1, 2, 3), GetTextColor(canvas.Dc()));
        EXPECT_EQ(OPAQUE, GetBkMode(canvas.Dc()));
        SelectObject(canvas.Dc(), old);
        EXPECT_EQ(Expected(ink, width, height, kBlack, false), canvas.Pixels().data);
    }
    DeleteObject(font);
}
