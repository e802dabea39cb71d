// Pictures through the system decoder: ".bmp" files of every depth and
// encoding give their pixels, the program's poster resource loads, and every
// malformed file gives an empty picture, without a read past its bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "framework/util/bitmap_layout.h"
#include "framework/util/dib.h"
#include "framework/util/resource_names.h"
#include "tests/bitmap_files.h"
#include "tests/canvas.h"
#include "tests/util/guarded_text.h"

namespace {

TPixels Render(const TDib& dib)
{
    TCanvas canvas(dib.Width(), dib.Height());
    canvas.Fill(RGB(1, 2, 3));
    SetDIBitsToDevice(canvas.Dc(), 0, 0, dib.Width(), dib.Height(), 0, 0, 0, dib.Height(), dib.Bits(), dib.Info(),
                      DIB_RGB_COLORS);
    return canvas.Pixels();
}

struct TPictureCase {
    const char* name;
    TBitmapSpec spec;
    TPixelValue value;  // what the file stores for (x, y)
    std::function<COLORREF(uint32_t)> colour;
};

TBitmapSpec Spec(int width, int height, int bitCount, DWORD compression, std::vector<RGBQUAD> colors,
                 std::vector<BYTE> bits)
{
    TBitmapSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = bitCount;
    spec.compression = compression;
    spec.colors = std::move(colors);
    spec.bits = std::move(bits);
    return spec;
}

std::vector<TPictureCase> PictureCases()
{
    auto indexed = [](std::vector<RGBQUAD> colors) {
        return [colors](uint32_t v) { return ColorOf(colors[v]); };
    };
    auto direct = [](uint32_t v) { return RGB(v >> 16, (v >> 8) & 0xFF, v & 0xFF); };
    auto checker = [](int x, int y) -> uint32_t { return (x + y) & 1; };
    auto four = [](int x, int y) -> uint32_t { return (x * 3 + y) & 15; };
    auto eight = [](int x, int y) -> uint32_t { return (x * 29 + y * 7) % 200; };
    auto rgb = [](int x, int y) -> uint32_t { return (x * 50u) << 16 | (y * 80u) << 8 | 0x33u; };
    auto runs8 = [](int x, int y) -> uint32_t { return (x / 3 + y) % 16; };
    auto runs4 = [](int x, int y) -> uint32_t { return (x / 4 + y) % 16; };
    const DWORD rgb565[4] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
    const COLORREF shown565[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    auto words = [rgb565](int x, int y) -> uint32_t { return rgb565[(x + 2 * y) % 4]; };

    std::vector<TPictureCase> cases;
    cases.push_back({"1 bit", Spec(13, 5, 1, BI_RGB, TestColors(2), PackRows(13, 5, 1, checker)), checker,
                     indexed(TestColors(2))});
    cases.push_back({"4 bits", Spec(9, 4, 4, BI_RGB, TestColors(16), PackRows(9, 4, 4, four)), four,
                     indexed(TestColors(16))});
    cases.push_back({"8 bits, 200 colours", Spec(7, 6, 8, BI_RGB, TestColors(200), PackRows(7, 6, 8, eight)), eight,
                     indexed(TestColors(200))});
    cases.push_back({"8 bits top-down", Spec(7, -6, 8, BI_RGB, TestColors(200), PackRows(7, -6, 8, eight)), eight,
                     indexed(TestColors(200))});
    cases.push_back({"24 bits", Spec(5, 3, 24, BI_RGB, {}, PackRows(5, 3, 24, rgb)), rgb, direct});
    cases.push_back({"32 bits", Spec(5, 3, 32, BI_RGB, {}, PackRows(5, 3, 32, rgb)), rgb, direct});
    TBitmapSpec fields = Spec(6, 3, 16, BI_BITFIELDS, {}, PackRows(6, 3, 16, words));
    fields.masks = {0xF800, 0x07E0, 0x001F};
    cases.push_back({"16 bits 5-6-5", fields, words, [rgb565, shown565](uint32_t v) -> COLORREF {
                         for (int i = 0; i < 4; ++i)
                             if (rgb565[i] == v)
                                 return shown565[i];
                         return CLR_INVALID;  // never a shown colour
                     }});
    cases.push_back({"RLE 8", Spec(10, 4, 8, BI_RLE8, TestColors(16), EncodeRle(10, 4, false, runs8)), runs8,
                     indexed(TestColors(16))});
    cases.push_back({"RLE 4", Spec(11, 3, 4, BI_RLE4, TestColors(16), EncodeRle(11, 3, true, runs4)), runs4,
                     indexed(TestColors(16))});
    TBitmapSpec core = Spec(6, 3, 4, BI_RGB, TestColors(16), PackRows(6, 3, 4, four));
    core.headerSize = 12;
    cases.push_back({"core header", core, four, indexed(TestColors(16))});
    return cases;
}

class DibFileTest : public ::testing::Test {
protected:
    TTempFolder folder{"dib_test"};
};

}  // namespace

TEST_F(DibFileTest, EveryDepthAndEncodingGivesItsPixels)
{
    for (const TPictureCase& c : PictureCases()) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path("picture.bmp");
        ASSERT_TRUE(WriteBytes(path, BitmapFile(c.spec)));
        TDib dib;
        ASSERT_TRUE(dib.LoadFile(path.c_str()));
        const int rows = c.spec.height < 0 ? -c.spec.height : c.spec.height;
        ASSERT_EQ(c.spec.width, dib.Width());
        ASSERT_EQ(rows, dib.Height());
        // A colour table becomes the palette; deeper pictures have neither.
        EXPECT_EQ(c.spec.bitCount <= 8, dib.Palette() != nullptr);
        const TPixels pixels = Render(dib);
        int wrong = 0;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < c.spec.width; ++x)
                wrong += pixels.At(x, y) != c.colour(c.value(x, y));
        EXPECT_EQ(0, wrong);
    }
}

TEST_F(DibFileTest, RelativeNameIsTheFileInTheCurrentFolder)
{
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(WriteBytes(folder.Path("here.bmp"), BitmapFile(PictureCases()[0].spec)));
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path("").c_str()));
    TDib dib;
    EXPECT_TRUE(dib.LoadFile("here.bmp"));
    EXPECT_FALSE(dib.LoadFile("absent.bmp"));
    EXPECT_FALSE(dib.IsLoaded());
    SetCurrentDirectoryA(previous);
}

namespace {

void Poke(std::vector<BYTE>& bytes, size_t offset, uint32_t value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

// File header fields, then the info header's from offset 14.
const size_t kOffBits = 10, kHeaderSize = 14, kWidth = 18, kHeight = 22, kPlanes = 26, kBitCount = 28,
             kCompression = 30, kSizeImage = 34, kColorsUsed = 46;

std::vector<BYTE> Base8()
{
    return BitmapFile(Spec(4, 4, 8, BI_RGB, TestColors(16), PackRows(4, 4, 8, [](int x, int y) {
                                                                  return static_cast<uint32_t>(x + y);
                                                              })));
}

std::vector<BYTE> Rle(std::vector<BYTE> data, bool fourBit = false, int height = 2)
{
    return BitmapFile(Spec(4, height, fourBit ? 4 : 8, fourBit ? BI_RLE4 : BI_RLE8, TestColors(16), std::move(data)));
}

template <typename Edit> std::vector<BYTE> Edited(std::vector<BYTE> bytes, Edit edit)
{
    edit(bytes);
    return bytes;
}

std::vector<BYTE> Cut(std::vector<BYTE> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

struct TBadCase {
    const char* name;
    std::vector<BYTE> bytes;
};

std::vector<TBadCase> BadCases()
{
    const std::vector<BYTE> base = Base8();
    return {
        {"0-byte file", {}},
        {"only the file header", Cut(base, 14)},
        {"truncated info header", Cut(base, 14 + 20)},
        {"header size past the end", Edited(Cut(base, 14 + 40 + 64), [](auto& b) { Poke(b, kHeaderSize, 108); })},
        {"unknown header size", Edited(base, [](auto& b) { Poke(b, kHeaderSize, 64); })},
        {"colour table cut short", Cut(base, 14 + 40 + 30)},
        {"bits offset past the end", Edited(base, [](auto& b) { Poke(b, kOffBits, 1000); })},
        {"bits offset before the headers end", Edited(base, [](auto& b) { Poke(b, kOffBits, 20); })},
        {"bits offset of 0", Edited(base, [](auto& b) { Poke(b, kOffBits, 0); })},
        {"bits one byte short", Cut(base, base.size() - 1)},
        {"width x height x depth past 32 bits", Edited(base, [](auto& b) {
             Poke(b, kWidth, 65535);
             Poke(b, kHeight, 65535);
             Poke(b, kBitCount, 32, 2);
             Poke(b, kColorsUsed, 0);
         })},
        {"width past the largest side", Edited(base, [](auto& b) { Poke(b, kWidth, 0x00100000); })},
        {"negative width", Edited(base, [](auto& b) { Poke(b, kWidth, static_cast<uint32_t>(-4)); })},
        {"height of INT_MIN", Edited(base, [](auto& b) { Poke(b, kHeight, 0x80000000u); })},
        {"zero height", Edited(base, [](auto& b) { Poke(b, kHeight, 0); })},
        {"0 planes", Edited(base, [](auto& b) { Poke(b, kPlanes, 0, 2); })},
        {"7 bits a pixel", Edited(base, [](auto& b) { Poke(b, kBitCount, 7, 2); })},
        {"257 palette entries", Edited(base, [](auto& b) { Poke(b, kColorsUsed, 257); })},
        {"17 palette entries for 4 bits", Edited(base, [](auto& b) {
             Poke(b, kBitCount, 4, 2);
             Poke(b, kColorsUsed, 17);
         })},
        {"300 palette entries for 24 bits", Edited(base, [](auto& b) {
             Poke(b, kBitCount, 24, 2);
             Poke(b, kColorsUsed, 300);
         })},
        {"JPEG compression", Edited(base, [](auto& b) { Poke(b, kCompression, BI_JPEG); })},
        {"RLE 8 at 4 bits", Edited(base, [](auto& b) { Poke(b, kCompression, BI_RLE8); })},
        {"bit fields at 8 bits", Edited(base, [](auto& b) { Poke(b, kCompression, BI_BITFIELDS); })},
        {"not a bitmap", {'P', 'K', 3, 4, 20, 0, 0, 0, 8, 0, 0, 0, 0, 0, 40, 0, 0, 0}},
        {"RLE run past the row", Rle({5, 1, 0, 0, 4, 1, 0, 0, 0, 1})},
        {"RLE absolute run past the row", Rle({0, 6, 1, 2, 3, 4, 5, 6, 0, 0, 0, 1})},
        {"RLE run past the image", Rle({4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1})},
        {"RLE delta past the row", Rle({0, 2, 6, 0, 0, 1})},
        {"RLE delta past the image", Rle({0, 2, 1, 5, 0, 1})},
        {"RLE absolute run past the data", Rle({0, 8, 1, 2, 3})},
        {"RLE without an end mark", Rle({4, 1, 0, 0, 4, 1, 0, 0})},
        {"RLE size past the end of the file", Edited(Rle({4, 1, 0, 0, 4, 1, 0, 1}), [](auto& b) {
             Poke(b, kSizeImage, 1000);
         })},
        {"RLE size of 0", Edited(Rle({4, 1, 0, 0, 4, 1, 0, 1}), [](auto& b) { Poke(b, kSizeImage, 0); })},
        {"RLE 4 run past the row", Rle({5, 0x11, 0, 0, 0, 1}, true)},
        {"RLE 4 absolute run past the data", Rle({0, 7, 0x12, 0x34}, true)},
        {"RLE stored top-down", Rle({4, 1, 0, 0, 4, 1, 0, 1}, false, -2)},
    };
}

}  // namespace

TEST_F(DibFileTest, MalformedFilesGiveAnEmptyPicture)
{
    const std::string path = folder.Path("bad.bmp");
    for (const TBadCase& c : BadCases()) {
        SCOPED_TRACE(c.name);
        // The layout reader on the bytes alone, ending at an unreadable page.
        TGuardedBytes guarded(c.bytes.data(), c.bytes.size());
        ASSERT_TRUE(guarded.IsGuarded());
        TBitmapLayout layout;
        EXPECT_FALSE(ReadBitmapFileLayout(guarded.Get(), c.bytes.size(), layout));
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        TDib dib;
        EXPECT_FALSE(dib.LoadFile(path.c_str()));
        EXPECT_FALSE(dib.IsLoaded());
        EXPECT_EQ(nullptr, dib.Info());
    }
}

TEST_F(DibFileTest, NoPictureFromAFolderAMissingFileOrAHugeFile)
{
    ASSERT_TRUE(CreateDirectoryA(folder.Path("x.bmp").c_str(), nullptr));
    TDib dib;
    EXPECT_FALSE(dib.LoadFile(folder.Path("x.bmp").c_str()));
    EXPECT_FALSE(dib.LoadFile(folder.Path("absent.bmp").c_str()));
    EXPECT_FALSE(dib.LoadFile(""));
    EXPECT_FALSE(dib.LoadFile(nullptr));

    // A valid header in front of more bytes than any picture may take: refused before it is read.
    const std::string huge = folder.Path("huge.bmp");
    ASSERT_TRUE(WriteBytes(huge, Base8()));
    HANDLE file = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(kMaxBitmapFileBytes) + 1;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    EXPECT_FALSE(dib.LoadFile(huge.c_str()));
    EXPECT_FALSE(dib.IsLoaded());
}

TEST_F(DibFileTest, RandomlyMutatedFilesLoadOrStayEmpty)
{
    std::vector<std::vector<BYTE>> bases;
    for (const TPictureCase& c : PictureCases())
        bases.push_back(BitmapFile(c.spec));
    std::mt19937 random(20240611);
    const uint32_t specials[] = {0, 1, 0x7F, 0x80, 0xFF};
    const std::string path = folder.Path("mutant.bmp");
    const int kCases = 3000;
    int loaded = 0;
    for (int i = 0; i < kCases; ++i) {
        std::vector<BYTE> bytes = bases[random() % bases.size()];
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const uint32_t kind = random() % 10;
            if (kind < 6) {  // a header byte
                const size_t pos = random() % std::min<size_t>(bytes.size(), 70);
                bytes[pos] = static_cast<BYTE>(random() % 2 ? specials[random() % 5] : random());
            } else if (kind < 8) {  // any bit
                bytes[random() % bytes.size()] ^= static_cast<BYTE>(1u << (random() % 8));
            } else if (kind == 8) {  // cut short
                bytes.resize(random() % bytes.size());
            } else {  // bytes inserted
                const size_t pos = random() % (bytes.size() + 1);
                bytes.insert(bytes.begin() + pos, 1 + random() % 8, static_cast<BYTE>(random()));
            }
        }
        SCOPED_TRACE(i);
        TGuardedBytes guarded(bytes.data(), bytes.size());
        TBitmapLayout layout;
        const bool valid = ReadBitmapFileLayout(guarded.Get(), bytes.size(), layout);
        ASSERT_TRUE(WriteBytes(path, bytes));
        TDib dib;
        if (!dib.LoadFile(path.c_str())) {
            EXPECT_FALSE(dib.IsLoaded());
            continue;
        }
        ++loaded;
        ASSERT_TRUE(valid);
        ASSERT_EQ(layout.Width, dib.Width());
        ASSERT_EQ(layout.Height < 0 ? -layout.Height : layout.Height, dib.Height());
        const TPixels pixels = Render(dib);
        ASSERT_EQ(static_cast<size_t>(dib.Width()) * dib.Height(), pixels.data.size());
    }
    // Both outcomes are common, or the mutations tested nothing.
    EXPECT_GT(loaded, kCases / 10);
    EXPECT_LT(loaded, kCases * 9 / 10);
}

TEST(DibResource, PosterIsThreeHundredByTwoSeventyEightInTwoColours)
{
    TDib dib;
    ASSERT_TRUE(dib.LoadResource(GetModuleHandleA(nullptr), POSTER_BITMAP_NAME));
    EXPECT_EQ(POSTER_BITMAP_WIDTH, dib.Width());
    EXPECT_EQ(POSTER_BITMAP_HEIGHT, dib.Height());
    EXPECT_EQ(1, dib.BitCount());
    ASSERT_EQ(2, dib.ColorCount());
    EXPECT_EQ(RGB(0, 0, 0), ColorOf(dib.Color(0)));
    EXPECT_EQ(RGB(255, 255, 255), ColorOf(dib.Color(1)));
    // Both colours are used: a ground and a figure.
    const TPixels pixels = Render(dib);
    int white = 0;
    for (COLORREF c : pixels.data)
        white += c == RGB(255, 255, 255);
    EXPECT_GT(white, 0);
    EXPECT_LT(white, static_cast<int>(pixels.data.size()));

    EXPECT_FALSE(dib.LoadResource(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"));
    EXPECT_FALSE(dib.IsLoaded());
}

TEST(DibResource, RecolouringKeepsThePaletteHandle)
{
    TDib dib;
    ASSERT_TRUE(dib.LoadResource(GetModuleHandleA(nullptr), POSTER_BITMAP_NAME));
    const HPALETTE palette = dib.Palette();
    dib.SetColor(1, RGB(10, 20, 30));
    dib.SetColor(2, RGB(1, 1, 1));  // outside the table: nothing
    dib.RebuildPalette();
    EXPECT_EQ(palette, dib.Palette());
    PALETTEENTRY entries[2];
    ASSERT_EQ(2u, GetPaletteEntries(dib.Palette(), 0, 2, entries));
    EXPECT_EQ(10, entries[1].peRed);
    EXPECT_EQ(30, entries[1].peBlue);
    EXPECT_EQ(RGB(10, 20, 30), ColorOf(dib.Color(1)));
}
