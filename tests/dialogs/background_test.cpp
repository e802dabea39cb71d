// The dialog and menu backgrounds painted into memory DCs. Most pictures
// here encode their own coordinates in every pixel, so one pixel read back
// tells exactly where the picture was drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/dialogs/background.h"
#include "framework/util/resource_names.h"
#include "tests/bitmap_files.h"
#include "tests/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// 24-bit pixels that name their own (x, y): red and green carry the low
// bytes, blue is 0x80 plus the ninth bits.
std::vector<BYTE> CoordinatePicture(int width, int height)
{
    TBitmapSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 24;
    spec.bits = PackRows(width, height, 24, [](int x, int y) -> uint32_t {
        return static_cast<uint32_t>((x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x80 | (x >> 8) << 2 | (y >> 8));
    });
    return BitmapFile(spec);
}

bool Decode(COLORREF c, POINT& at)
{
    const int blue = GetBValue(c);
    if ((blue & 0xFA) != 0x80)
        return false;
    at.x = GetRValue(c) | ((blue >> 2) & 1) << 8;
    at.y = GetGValue(c) | (blue & 1) << 8;
    return true;
}

// The system colours a test changes, put back when it ends.
class TSavedColours {
public:
    TSavedColours(std::initializer_list<int> indexes) : indexes_(indexes)
    {
        for (int index : indexes_)
            colours_.push_back(GetSysColor(index));
    }
    ~TSavedColours() { SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colours_.data()); }
    void Set(std::vector<std::pair<int, COLORREF>> changes)
    {
        for (const auto& change : changes)
            SetSysColors(1, &change.first, &change.second);
    }

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> colours_;
};

COLORREF Mean(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) >> 1, (GetGValue(a) + GetGValue(b)) >> 1,
               (GetBValue(a) + GetBValue(b)) >> 1);
}

class BackgroundFileTest : public ::testing::Test {
protected:
    std::string Write(const char* name, const std::vector<BYTE>& bytes)
    {
        const std::string path = folder.Path(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
    TTempFolder folder{"background_test"};
};

}  // namespace

TEST(BackgroundDefaults, DialogAndMenuRecolourTheBuiltInPoster)
{
    TSavedColours saved({COLOR_BTNFACE, COLOR_MENU, COLOR_BTNHIGHLIGHT});
    // The system's own colours, then unusual ones as after a change of scheme.
    const std::vector<std::vector<std::pair<int, COLORREF>>> schemes = {
        {},
        {{COLOR_BTNFACE, RGB(10, 200, 31)}, {COLOR_MENU, RGB(250, 3, 100)}, {COLOR_BTNHIGHLIGHT, RGB(255, 128, 0)}},
    };
    for (const auto& scheme : schemes) {
        saved.Set(scheme);
        for (bool menu : {false, true}) {
            SCOPED_TRACE(menu ? "menu" : "dialog");
            TBackground background;
            background.WithWallPaper = 1;
            background.PosterX = 0;
            if (menu)
                background.ApplyMenuDefaults();
            else
                background.ApplyDialogDefaults();
            EXPECT_EQ(0, background.WithWallPaper);
            EXPECT_STREQ("", background.WallPaperFileName.Get());
            EXPECT_EQ(2, background.WallStyle);
            EXPECT_EQ(1, background.WithPoster);
            EXPECT_STREQ("", background.PosterFileName.Get());
            EXPECT_EQ(4, background.PosterX);
            EXPECT_EQ(4, background.PosterY);
            EXPECT_FALSE(background.Wallpaper.IsLoaded());
            ASSERT_TRUE(background.Poster.IsLoaded());
            EXPECT_EQ(POSTER_BITMAP_WIDTH, background.Poster.Width());
            EXPECT_EQ(POSTER_BITMAP_HEIGHT, background.Poster.Height());
            const COLORREF face = GetSysColor(menu ? COLOR_MENU : COLOR_BTNFACE);
            EXPECT_EQ(face, ColorOf(background.Poster.Color(0)));
            EXPECT_EQ(Mean(face, GetSysColor(COLOR_BTNHIGHLIGHT)), ColorOf(background.Poster.Color(1)));
            // The palette selected while painting is the poster's, recoloured too.
            ASSERT_EQ(background.Poster.Palette(), background.Palette);
            PALETTEENTRY entry;
            ASSERT_EQ(1u, GetPaletteEntries(background.Palette, 0, 1, &entry));
            EXPECT_EQ(face, RGB(entry.peRed, entry.peGreen, entry.peBlue));
        }
    }
}

TEST(BackgroundDefaults, BuiltInPosterFigureFollowsTheWindowColour)
{
    TSavedColours saved({COLOR_WINDOW});
    const struct {
        COLORREF window, figure;
    } cases[] = {
        {RGB(255, 255, 255), RGB(231, 231, 231)},
        {RGB(0, 0, 0), RGB(64, 64, 64)},
        {RGB(128, 129, 200), RGB(192, 105, 176)},  // 128 is not above 128
        {RGB(129, 64, 255), RGB(105, 128, 231)},
    };
    for (const auto& c : cases) {
        saved.Set({{COLOR_WINDOW, c.window}});
        TBackground background;
        background.LoadPictures();
        ASSERT_TRUE(background.Poster.IsLoaded());
        EXPECT_EQ(c.window, ColorOf(background.Poster.Color(0)));
        EXPECT_EQ(c.figure, ColorOf(background.Poster.Color(1)));
    }
}

TEST(BackgroundDefaults, SettingChangeRecoloursBothProcessObjects)
{
    TSavedColours saved({COLOR_BTNFACE, COLOR_MENU, COLOR_BTNHIGHLIGHT});
    DeleteBackgrounds();
    TBackground* dialog = DialogBackground();
    TBackground* menu = MenuBackground();
    ASSERT_TRUE(dialog && menu);
    EXPECT_EQ(dialog, DialogBackground());
    saved.Set({{COLOR_BTNFACE, RGB(90, 80, 70)}, {COLOR_MENU, RGB(20, 40, 60)}, {COLOR_BTNHIGHLIGHT, RGB(200, 0, 100)}});
    ReapplyBackgroundDefaults();
    EXPECT_EQ(RGB(90, 80, 70), ColorOf(dialog->Poster.Color(0)));
    EXPECT_EQ(RGB(145, 40, 85), ColorOf(dialog->Poster.Color(1)));
    EXPECT_EQ(RGB(20, 40, 60), ColorOf(menu->Poster.Color(0)));
    EXPECT_EQ(RGB(110, 20, 80), ColorOf(menu->Poster.Color(1)));
    DeleteBackgrounds();
}

TEST_F(BackgroundFileTest, PosterPositionsAlongBothAxes)
{
    const struct {
        int px, py, width, height, x, y;
    } cases[] = {
        {4, 4, 400, 300, 100, 22},    // bottom-right corners meet
        {4, 4, 200, 150, -100, -128}, // still meet in a smaller area
        {2, 2, 200, 150, -50, -64},   // centred
        {0, 0, 400, 300, 0, 0},
        {1, 1, 400, 300, 25, 5},
        {3, 3, 400, 300, 75, 16},
        {1, 3, 200, 150, -50, -64},   // 1 and 3 centre a poster that does not fit
        {2, 2, 199, 150, -50, -64},   // -101 / 2 rounds toward zero
        {0, 4, 200, 150, 0, -128},
        {3, 1, 500, 400, 150, 30},
    };
    const std::string path = Write("poster.bmp", CoordinatePicture(300, 278));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " in " << c.width << "x" << c.height);
        EXPECT_EQ(c.x, TBackground::PosterOffset(c.px, c.width, 300));
        EXPECT_EQ(c.y, TBackground::PosterOffset(c.py, c.height, 278));
        TBackground background;
        background.PosterFileName.Set(path.c_str());
        background.PosterX = c.px;
        background.PosterY = c.py;
        background.LoadPictures();
        ASSERT_TRUE(background.Poster.IsLoaded());
        TCanvas canvas(c.width, c.height);
        canvas.Fill(kWhite);
        background.Paint(canvas.Dc(), 0, 0, c.width, c.height);
        const TPixels pixels = canvas.Pixels();
        const int sx = c.x > 0 ? c.x : 0, sy = c.y > 0 ? c.y : 0;
        POINT at;
        ASSERT_TRUE(Decode(pixels.At(sx, sy), at));
        EXPECT_EQ(c.x, sx - at.x);
        EXPECT_EQ(c.y, sy - at.y);
        if (c.x > 0) {
            EXPECT_EQ(kWhite, pixels.At(c.x - 1, sy));
        }
        if (c.y > 0) {
            EXPECT_EQ(kWhite, pixels.At(sx, c.y - 1));
        }
    }
}

TEST(BackgroundTiles, StartsAndShiftsOfTileBlockAndHex)
{
    using TPositions = std::vector<std::pair<int, int>>;
    const struct {
        int style;
        TPositions expected;
    } cases[] = {
        {WallTile, {{-46, -46}, {18, -46}, {82, -46}, {-46, 18}, {18, 18}, {82, 18}, {-46, 82}, {18, 82}, {82, 82}}},
        // One step back from the centred row: the first row is the shifted one.
        {WallBlock, {{-78, -46}, {-14, -46}, {50, -46}, {-46, 18}, {18, 18}, {82, 18}, {-78, 82}, {-14, 82}, {50, 82}}},
        {WallHex, {{-46, -78}, {-46, -14}, {-46, 50}, {18, -46}, {18, 18}, {18, 82}, {82, -78}, {82, -14}, {82, 50}}},
        {WallStretch, {}},
        {5, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        TPositions positions;
        TBackground::ForEachTile(c.style, 0, 0, 100, 100, 64, 64,
                                 [&](int x, int y) { positions.emplace_back(x, y); });
        EXPECT_EQ(c.expected, positions);
    }
}

TEST_F(BackgroundFileTest, WallpaperCoversTheAreaAsItsStyleSays)
{
    // Where the picture's (0, 0) lands for every tile, as the first row or
    // column starts (sx, sy); with block and hex, whether that first line is
    // the shifted one.
    const struct {
        int style, x, y, width, height, tileWidth, tileHeight, sx, sy;
        bool firstShifted;
    } cases[] = {
        {WallTile, 0, 0, 100, 100, 64, 64, -46, -46, false},
        {WallTile, 10, 20, 200, 90, 64, 40, -50, 5, false},
        {WallTile, 0, 0, 51, 51, 64, 64, -6, -6, false},  // -13 / 2 rounds toward zero
        {WallBlock, 0, 0, 100, 100, 64, 64, -46, -46, true},
        {WallBlock, 10, 20, 200, 90, 64, 40, -50, 5, true},
        {WallBlock, 0, 0, 100, 200, 64, 64, -46, -60, false},
        {WallHex, 0, 0, 100, 100, 64, 64, -46, -46, true},
        {WallHex, 0, 0, 200, 100, 40, 64, 0, -46, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " area " << c.width << "x" << c.height);
        TBackground background;
        background.WithPoster = 0;
        background.WithWallPaper = 1;
        background.WallStyle = c.style;
        background.WallPaperFileName.Set(Write("wall.bmp", CoordinatePicture(c.tileWidth, c.tileHeight)).c_str());
        background.LoadPictures();
        ASSERT_TRUE(background.Wallpaper.IsLoaded());
        TCanvas canvas(c.x + c.width, c.y + c.height);
        canvas.Fill(kWhite);
        background.Paint(canvas.Dc(), c.x, c.y, c.width, c.height);
        const TPixels pixels = canvas.Pixels();
        auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
        int wrong = 0;
        for (int py = c.y; py < c.y + c.height; ++py) {
            for (int px = c.x; px < c.x + c.width; ++px) {
                int ex, ey;
                if (c.style == WallHex) {
                    const int column = floorDiv(px - c.sx, c.tileWidth);
                    const bool shifted = (column % 2 == 0) == c.firstShifted;
                    const int top = c.sy - (shifted ? c.tileHeight / 2 : 0);
                    ex = px - c.sx - column * c.tileWidth;
                    ey = py - top - floorDiv(py - top, c.tileHeight) * c.tileHeight;
                } else {
                    const int row = floorDiv(py - c.sy, c.tileHeight);
                    const bool shifted = c.style == WallBlock && (row % 2 == 0) == c.firstShifted;
                    const int left = c.sx - (shifted ? c.tileWidth / 2 : 0);
                    ex = px - left - floorDiv(px - left, c.tileWidth) * c.tileWidth;
                    ey = py - c.sy - row * c.tileHeight;
                }
                POINT at;
                wrong += !Decode(pixels.At(px, py), at) || at.x != ex || at.y != ey;
            }
        }
        EXPECT_EQ(0, wrong);
    }
}

TEST_F(BackgroundFileTest, StretchedWallpaperFillsTheAreaAndOtherStylesPaintNothing)
{
    TBackground background;
    background.WithPoster = 0;
    background.WithWallPaper = 1;
    background.WallStyle = WallStretch;
    background.WallPaperFileName.Set(Write("wall.bmp", CoordinatePicture(64, 64)).c_str());
    background.LoadPictures();
    TCanvas canvas(140, 100);
    canvas.Fill(kWhite);
    background.Paint(canvas.Dc(), 6, 4, 128, 96);
    TPixels pixels = canvas.Pixels();
    POINT at;
    ASSERT_TRUE(Decode(pixels.At(6, 4), at));
    EXPECT_EQ(0, at.x);
    EXPECT_EQ(0, at.y);
    ASSERT_TRUE(Decode(pixels.At(6 + 127, 4 + 95), at));
    EXPECT_EQ(63, at.x);
    EXPECT_EQ(63, at.y);
    ASSERT_TRUE(Decode(pixels.At(6 + 64, 4 + 48), at));
    EXPECT_EQ(32, at.x);
    EXPECT_EQ(32, at.y);
    EXPECT_EQ(kWhite, pixels.At(5, 4));
    EXPECT_EQ(kWhite, pixels.At(6 + 128, 4 + 95));

    background.WallStyle = 5;
    canvas.Fill(kWhite);
    background.Paint(canvas.Dc(), 0, 0, 140, 100);
    pixels = canvas.Pixels();
    EXPECT_EQ(std::vector<COLORREF>(pixels.data.size(), kWhite), pixels.data);
}

TEST_F(BackgroundFileTest, PaintPartChangesOnlyTheTarget)
{
    const COLORREF grey = RGB(100, 100, 100);
    TBackground background;
    background.PosterFileName.Set(Write("poster.bmp", CoordinatePicture(300, 278)).c_str());
    background.LoadPictures();
    const struct {
        int x, y, tx, ty, tw, th;
    } cases[] = {{0, 0, 30, 40, 50, 20}, {-10, -20, 150, 100, 50, 50}, {0, 0, 0, 0, 200, 150}};
    for (const auto& c : cases) {
        TCanvas whole(200, 150), part(200, 150);
        whole.Fill(grey);
        part.Fill(grey);
        background.Paint(whole.Dc(), c.x, c.y, 200, 150);
        background.PaintPart(part.Dc(), c.x, c.y, 200, 150, c.tx, c.ty, c.tw, c.th);
        const TPixels expected = whole.Pixels(), actual = part.Pixels();
        int wrong = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                const bool inside = x >= c.tx && x < c.tx + c.tw && y >= c.ty && y < c.ty + c.th;
                wrong += actual.At(x, y) != (inside ? expected.At(x, y) : grey);
            }
        EXPECT_EQ(0, wrong) << c.tx << "," << c.ty;
    }
}

TEST_F(BackgroundFileTest, PaletteIsThePicturesOwnOrTheirMergedOne)
{
    auto eightBit = [](int count, int first) {
        TBitmapSpec spec;
        spec.width = 4;
        spec.height = 2;
        spec.bitCount = 8;
        spec.colors = TestColors(count, first);
        spec.bits = PackRows(4, 2, 8, [](int x, int y) { return static_cast<uint32_t>(x + y); });
        return BitmapFile(spec);
    };
    const struct {
        int posterColours, wallColours, wallFirst, merged;
    } cases[] = {
        {100, 100, 70, 170},  // 30 shared colours are taken once
        {200, 200, 100, 236}, // the merged palette stops at 236
    };
    for (const auto& c : cases) {
        TBackground background;
        background.PosterFileName.Set(Write("poster.bmp", eightBit(c.posterColours, 0)).c_str());
        background.WallPaperFileName.Set(Write("wall.bmp", eightBit(c.wallColours, c.wallFirst)).c_str());
        background.LoadPictures();
        EXPECT_EQ(background.Poster.Palette(), background.Palette);

        background.WithWallPaper = 1;
        background.LoadPictures();
        ASSERT_TRUE(background.Palette);
        EXPECT_NE(background.Poster.Palette(), background.Palette);
        EXPECT_NE(background.Wallpaper.Palette(), background.Palette);
        PALETTEENTRY entries[256];
        const UINT count = GetPaletteEntries(background.Palette, 0, 256, entries);
        ASSERT_EQ(static_cast<UINT>(c.merged), count);
        // The poster's colours first, then the wallpaper's new ones in order.
        for (UINT i = 0; i < count; ++i)
            EXPECT_EQ(ColorOf(TestColor(static_cast<int>(i))), RGB(entries[i].peRed, entries[i].peGreen,
                                                                  entries[i].peBlue));

        background.WithPoster = 0;
        background.LoadPictures();
        EXPECT_EQ(background.Wallpaper.Palette(), background.Palette);
        background.WithWallPaper = 0;
        background.LoadPictures();
        EXPECT_EQ(nullptr, background.Palette);
    }
}

TEST_F(BackgroundFileTest, MissingWallpaperLeavesThePosterPainting)
{
    TBackground background;
    background.WithWallPaper = 1;
    background.WallPaperFileName.Set(folder.Path("absent.bmp").c_str());
    background.PosterFileName.Set(Write("poster.bmp", CoordinatePicture(300, 278)).c_str());
    background.LoadPictures();
    EXPECT_FALSE(background.Wallpaper.IsLoaded());
    TCanvas canvas(400, 300);
    canvas.Fill(kWhite);
    background.Paint(canvas.Dc(), 0, 0, 400, 300);
    const TPixels pixels = canvas.Pixels();
    POINT at;
    ASSERT_TRUE(Decode(pixels.At(100, 22), at));
    EXPECT_EQ(0, at.x);
    EXPECT_EQ(kWhite, pixels.At(99, 22));

    // A poster file that is no picture leaves both layers empty: nothing is painted.
    background.PosterFileName.Set(Write("poster.bmp", {'B', 'M', 0}).c_str());
    background.LoadPictures();
    EXPECT_FALSE(background.Poster.IsLoaded());
    canvas.Fill(kWhite);
    background.Paint(canvas.Dc(), 0, 0, 400, 300);
    EXPECT_EQ(kWhite, canvas.Pixels().At(100, 22));
}
