// The dialog and menu backgrounds painted into memory DCs. The pictures here
// name their own coordinates in every pixel, so one pixel read back tells
// exactly where a picture was drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/menu_item.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/background.h"
#include "framework/util/resource_names.h"
#include "tests/allocation_hooks.h"
#include "tests/bitmap_files.h"
#include "tests/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// System colours a test changes, put back when it ends.
class TSavedColours {
public:
    explicit TSavedColours(std::vector<int> indexes) : indexes_(std::move(indexes))
    {
        for (int index : indexes_)
            colours_.push_back(GetSysColor(index));
    }
    ~TSavedColours() { SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colours_.data()); }

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> colours_;
};

std::string Picture(const char* name, const std::vector<BYTE>& bytes)
{
    const std::string path = TempPath(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
}

// Where the picture's (0, 0) was drawn, read from the pixel at (x, y).
POINT OriginAt(const TPixels& pixels, int x, int y)
{
    POINT at;
    EXPECT_TRUE(Decode(pixels.At(x, y), at)) << x << "," << y;
    return {x - at.x, y - at.y};
}

}  // namespace

TEST(BackgroundDefaults, DialogAndMenuPostersFollowTheSystemColours)
{
    TSavedColours saved({COLOR_BTNFACE, COLOR_MENU, COLOR_BTNHIGHLIGHT});
    DeleteBackgrounds();
    // The system's colours; then a change of scheme, applied again as on WM_SETTINGCHANGE.
    for (bool changed : {false, true}) {
        if (changed) {
            const int indexes[] = {COLOR_BTNFACE, COLOR_MENU, COLOR_BTNHIGHLIGHT};
            const COLORREF colours[] = {RGB(90, 80, 70), RGB(20, 40, 60), RGB(200, 0, 101)};
            SetSysColors(3, indexes, colours);
            ReapplyBackgroundDefaults();
        }
        for (TBackground* background : {DialogBackground(), MenuBackground()}) {
            const COLORREF face = GetSysColor(background == DialogBackground() ? COLOR_BTNFACE : COLOR_MENU);
            const COLORREF high = GetSysColor(COLOR_BTNHIGHLIGHT);
            EXPECT_EQ(0, background->WithWallPaper);
            EXPECT_STREQ("", background->WallPaperFileName.Get());
            EXPECT_EQ(WallTile, background->WallStyle);
            EXPECT_EQ(1, background->WithPoster);
            EXPECT_STREQ("", background->PosterFileName.Get());
            EXPECT_EQ(4, background->PosterX);
            EXPECT_EQ(4, background->PosterY);
            EXPECT_FALSE(background->Wallpaper.IsLoaded());
            ASSERT_EQ(POSTER_BITMAP_WIDTH, background->Poster.Width());
            ASSERT_EQ(POSTER_BITMAP_HEIGHT, background->Poster.Height());
            EXPECT_EQ(face, ColorOf(background->Poster.Color(0)));
            EXPECT_EQ(RGB((GetRValue(face) + GetRValue(high)) >> 1, (GetGValue(face) + GetGValue(high)) >> 1,
                          (GetBValue(face) + GetBValue(high)) >> 1),
                      ColorOf(background->Poster.Color(1)));
            // Painting selects the poster's palette, recoloured with it.
            ASSERT_EQ(background->Poster.Palette(), background->Palette);
            PALETTEENTRY entry;
            ASSERT_EQ(1u, GetPaletteEntries(background->Palette, 0, 1, &entry));
            EXPECT_EQ(face, RGB(entry.peRed, entry.peGreen, entry.peBlue));
        }
    }
    EXPECT_EQ(RGB(145, 40, 85), ColorOf(DialogBackground()->Poster.Color(1)));
    DeleteBackgrounds();
}

TEST(BackgroundDefaults, BuiltInPosterFigureFollowsTheWindowColour)
{
    TSavedColours saved({COLOR_WINDOW});
    const COLORREF cases[][2] = {
        {RGB(255, 255, 255), RGB(231, 231, 231)},
        {RGB(0, 0, 0), RGB(64, 64, 64)},
        {RGB(128, 129, 200), RGB(192, 105, 176)},  // 128 is not above 128
    };
    for (const auto& c : cases) {
        const int index = COLOR_WINDOW;
        SetSysColors(1, &index, &c[0]);
        TBackground background;
        background.LoadPictures();
        EXPECT_EQ(c[0], ColorOf(background.Poster.Color(0)));
        EXPECT_EQ(c[1], ColorOf(background.Poster.Color(1)));
    }
}

TEST(BackgroundPaint, PosterPositionsAlongBothAxes)
{
    const struct {
        int px, py, width, height, x, y;
    } cases[] = {
        {4, 4, 400, 300, 100, 22},    // the bottom-right corners meet
        {4, 4, 200, 150, -100, -128}, // also in an area smaller than the poster
        {2, 2, 200, 150, -50, -64},   // centred
        {0, 0, 400, 300, 0, 0},      {1, 1, 400, 300, 25, 5}, {3, 3, 400, 300, 75, 16},
        {1, 3, 200, 150, -50, -64},   // 1 and 3 centre a poster that does not fit
        {2, 2, 199, 150, -50, -64},   // -101 / 2 rounds toward zero
        {3, 1, 500, 400, 150, 30},
    };
    TBackground background;
    background.PosterFileName.Set(Picture("poster.bmp", CoordinatePicture(300, 278)).c_str());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " in " << c.width << "x" << c.height);
        background.PosterX = c.px;
        background.PosterY = c.py;
        background.LoadPictures();
        TCanvas canvas(c.width, c.height);
        canvas.Fill(kWhite);
        background.Paint(canvas.Dc(), 0, 0, c.width, c.height);
        const TPixels pixels = canvas.Pixels();
        const POINT origin = OriginAt(pixels, std::max(c.x, 0), std::max(c.y, 0));
        EXPECT_EQ(c.x, origin.x);
        EXPECT_EQ(c.y, origin.y);
        if (c.x > 0) {
            EXPECT_EQ(kWhite, pixels.At(c.x - 1, std::max(c.y, 0)));
        }
        if (c.y > 0) {
            EXPECT_EQ(kWhite, pixels.At(std::max(c.x, 0), c.y - 1));
        }
    }
}

TEST(BackgroundPaint, TileBlockAndHexStartFromTheCentredTile)
{
    using TPositions = std::vector<std::pair<int, int>>;
    // 64 x 64 over 100 x 100: the centred tile is at (18, 18), one step back
    // on each axis starts at (-46, -46), and with block and hex that one step
    // makes the first row or column the shifted one.
    const struct {
        int style;
        TPositions expected;
    } cases[] = {
        {WallTile, {{-46, -46}, {18, -46}, {82, -46}, {-46, 18}, {18, 18}, {82, 18}, {-46, 82}, {18, 82}, {82, 82}}},
        {WallBlock, {{-78, -46}, {-14, -46}, {50, -46}, {-46, 18}, {18, 18}, {82, 18}, {-78, 82}, {-14, 82}, {50, 82}}},
        {WallHex, {{-46, -78}, {-46, -14}, {-46, 50}, {18, -46}, {18, 18}, {18, 82}, {82, -78}, {82, -14}, {82, 50}}},
        {WallStretch, {}},
        {5, {}},
    };
    for (const auto& c : cases) {
        TPositions positions;
        TBackground::ForEachTile(c.style, 0, 0, 100, 100, 64, 64, [&](int x, int y) { positions.emplace_back(x, y); });
        EXPECT_EQ(c.expected, positions) << c.style;
    }
    // Two steps back leave the first line unshifted; -13 / 2 rounds toward zero.
    TPositions first;
    TBackground::ForEachTile(WallBlock, 10, 20, 200, 130, 64, 40, [&](int x, int y) { first.emplace_back(x, y); });
    EXPECT_EQ(std::make_pair(-50, -15), first.front());
    first.clear();
    TBackground::ForEachTile(WallHex, 0, 0, 51, 51, 64, 64, [&](int x, int y) { first.emplace_back(x, y); });
    EXPECT_EQ(TPositions({{-6, -6}}), first);

    // Paint draws its tiles where these say, and stretches across the area.
    TBackground background;
    background.WithPoster = 0;
    background.WithWallPaper = 1;
    background.WallPaperFileName.Set(Picture("wall.bmp", CoordinatePicture(64, 64)).c_str());
    background.LoadPictures();
    const struct {
        int style, side, x, y, sourceX, sourceY;
    } pixels[] = {{WallTile, 100, 0, 0, 46, 46},   {WallBlock, 100, 0, 0, 14, 46},     {WallHex, 100, 0, 0, 46, 14},
                  {WallBlock, 100, 99, 90, 49, 8}, {WallStretch, 128, 127, 63, 63, 31}};
    for (const auto& p : pixels) {
        background.WallStyle = p.style;
        TCanvas canvas(p.side, p.side);
        background.Paint(canvas.Dc(), 0, 0, p.side, p.side);
        POINT at;
        ASSERT_TRUE(Decode(canvas.Pixels().At(p.x, p.y), at));
        EXPECT_EQ(p.sourceX, at.x) << p.style;
        EXPECT_EQ(p.sourceY, at.y) << p.style;
    }
}

TEST(BackgroundPaint, PaintPartChangesOnlyTheTarget)
{
    const COLORREF grey = RGB(100, 100, 100);
    TBackground background;
    background.PosterFileName.Set(Picture("poster.bmp", CoordinatePicture(300, 278)).c_str());
    background.LoadPictures();
    const RECT targets[] = {{30, 40, 80, 60}, {150, 100, 200, 150}, {0, 0, 200, 150}};
    for (const RECT& t : targets) {
        TCanvas whole(200, 150), part(200, 150);
        whole.Fill(grey);
        part.Fill(grey);
        background.Paint(whole.Dc(), -10, -20, 200, 150);
        background.PaintPart(part.Dc(), -10, -20, 200, 150, t.left, t.top, t.right - t.left, t.bottom - t.top);
        const TPixels expected = whole.Pixels(), actual = part.Pixels();
        int wrong = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                const POINT p = {x, y};
                wrong += actual.At(x, y) != (PtInRect(&t, p) ? expected.At(x, y) : grey);
            }
        EXPECT_EQ(0, wrong) << t.left << "," << t.top;
    }
}

TEST(BackgroundPaint, PaletteIsThePicturesOwnOrTheirMergedOne)
{
    auto eightBit = [](int count, int first) {
        return BitmapFile({4, 2, 8, BI_RGB, TestColors(count, first), PackRows(4, 2, 8, [](int, int) { return 0u; }),
                           {}, 40});
    };
    const struct {
        int posterColours, wallColours, wallFirst, merged;
    } cases[] = {
        {100, 100, 70, 170},   // 30 shared colours are taken once
        {200, 200, 100, 236},  // the merged palette stops at 236
    };
    for (const auto& c : cases) {
        TBackground background;
        background.PosterFileName.Set(Picture("poster.bmp", eightBit(c.posterColours, 0)).c_str());
        background.WallPaperFileName.Set(Picture("wall.bmp", eightBit(c.wallColours, c.wallFirst)).c_str());
        background.LoadPictures();
        EXPECT_EQ(background.Poster.Palette(), background.Palette);  // the wallpaper layer is off
        background.WithWallPaper = 1;
        background.LoadPictures();
        PALETTEENTRY entries[256];
        ASSERT_EQ(static_cast<UINT>(c.merged), GetPaletteEntries(background.Palette, 0, 256, entries));
        // The poster's colours first, then the wallpaper's new ones in order.
        for (int i = 0; i < c.merged; ++i)
            EXPECT_EQ(ColorOf(TestColor(i)), RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue)) << i;
        background.WithPoster = 0;
        background.LoadPictures();
        EXPECT_EQ(background.Wallpaper.Palette(), background.Palette);
        background.WithWallPaper = 0;
        background.LoadPictures();
        EXPECT_EQ(nullptr, background.Palette);
    }
}

TEST(BackgroundPaint, PictureThatCannotBeLoadedLeavesItsLayerEmpty)
{
    TBackground background;
    background.WithWallPaper = 1;
    background.WallPaperFileName.Set(TempPath("absent.bmp").c_str());
    background.PosterFileName.Set(Picture("poster.bmp", CoordinatePicture(300, 278)).c_str());
    background.LoadPictures();
    EXPECT_FALSE(background.Wallpaper.IsLoaded());
    TCanvas canvas(400, 300);
    canvas.Fill(kWhite);
    background.Paint(canvas.Dc(), 0, 0, 400, 300);
    EXPECT_EQ(100, OriginAt(canvas.Pixels(), 100, 22).x);  // the poster still paints

    background.PosterFileName.Set(Picture("poster.bmp", {'B', 'M', 0}).c_str());
    background.LoadPictures();
    EXPECT_FALSE(background.Poster.IsLoaded());
    canvas.Fill(kWhite);
    background.Paint(canvas.Dc(), 0, 0, 400, 300);
    const TPixels pixels = canvas.Pixels();
    EXPECT_EQ(std::vector<COLORREF>(pixels.data.size(), kWhite), pixels.data);
}

TEST(BackgroundWithoutMemory, ShapesAndMenuItemsPaintTheirPlainFace)
{
    // Each background is made when it is first painted; without memory for
    // it, a shape and an owner-drawn menu item paint their plain face.
    TShape shape(nullptr, "Without memory");
    shape.ShowModeless(0);
    ASSERT_TRUE(IsWindow(shape.Hwnd));
    TMenuItem item(101, nullptr);
    item.Text.Set("Item");
    TCanvas canvas(120, 24);
    const struct {
        const char* name;
        std::function<void()> paint;
    } painters[] = {
        {"shape", [&] { RedrawWindow(shape.Hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }},
        {"menu item",
         [&] {
             DRAWITEMSTRUCT draw = {};
             draw.CtlType = ODT_MENU;
             draw.hDC = canvas.Dc();
             draw.rcItem = RECT{0, 0, 120, 24};
             item.Draw(draw);
         }},
    };
    for (const auto& painter : painters) {
        DeleteBackgrounds();
        bool refused = false;
        {
            TFailingAllocations failing;
            painter.paint();
            refused = failing.Refused();
        }
        // It went without: the paint asked for memory and had none.
        EXPECT_TRUE(refused) << painter.name;
    }
    DeleteBackgrounds();
}
