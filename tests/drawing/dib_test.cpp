// Pictures through the system decoder: ".bmp" files of every depth and
// encoding give their pixels, the program's poster resource loads, and every
// malformed file gives an empty picture, without a read past its bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "framework/drawing/bitmap_layout.h"
#include "framework/drawing/dib.h"
#include "framework/util/resource_names.h"
#include "tests/bitmap_files.h"
#include "tests/canvas.h"
#include "tests/util/guarded_text.h"

namespace {

TPixels Render(const TDib& dib)
{
    TCanvas canvas(dib.Width(), dib.Height());
    SetDIBitsToDevice(canvas.Dc(), 0, 0, dib.Width(), dib.Height(), 0, 0, 0, dib.Height(), dib.Bits(), dib.Info(),
                      DIB_RGB_COLORS);
    return canvas.Pixels();
}

TBitmapContent Content(int width, int height, int bitCount, DWORD compression, int colors, const TPixelValue& value)
{
    TBitmapContent content{width, height, bitCount, compression, TestColors(colors), {}, {}, 40};
    if (compression == BI_RLE8 || compression == BI_RLE4)
        content.bits = EncodeRle(width, height, compression == BI_RLE4, value);
    else
        content.bits = PackRows(width, height, bitCount, value);
    return content;
}

uint32_t Diagonal(int x, int y)
{
    return static_cast<uint32_t>(x * 3 + y) & 15;
}

uint32_t Checker(int x, int y)
{
    return static_cast<uint32_t>(x + y) & 1;
}

uint32_t Runs(int x, int y)
{
    return static_cast<uint32_t>(x / 3 + y) & 15;
}

uint32_t Rgb(int x, int y)
{
    return static_cast<uint32_t>(x * 50) << 16 | static_cast<uint32_t>(y * 80) << 8 | 0x33u;
}

uint32_t Red565OrBlue(int x, int y)
{
    return (x + y) % 2 ? 0xF800 : 0x001F;
}

}  // namespace

TEST(DibFile, EveryDepthAndEncodingGivesItsPixels)
{
    TBitmapContent fields = Content(6, 3, 16, BI_BITFIELDS, 0, Red565OrBlue);
    fields.masks = {0xF800, 0x07E0, 0x001F};
    TBitmapContent core = Content(6, 3, 4, BI_RGB, 16, Diagonal);
    core.headerSize = 12;
    const struct {
        const char* name;
        TBitmapContent content;
        TPixelValue value;
    } cases[] = {
        {"1 bit", Content(13, 5, 1, BI_RGB, 2, Checker), Checker},
        {"4 bits", Content(9, 4, 4, BI_RGB, 16, Diagonal), Diagonal},
        {"8 bits top-down", Content(7, -6, 8, BI_RGB, 200, Diagonal), Diagonal},
        {"24 bits", Content(5, 3, 24, BI_RGB, 0, Rgb), Rgb},
        {"16 bits 5-6-5", fields, Red565OrBlue},
        {"RLE 8", Content(10, 4, 8, BI_RLE8, 16, Runs), Runs},
        {"RLE 4", Content(11, 3, 4, BI_RLE4, 16, Runs), Runs},
        {"core header", core, Diagonal},
    };
    const std::string path = TempPath("dib_test.bmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteBytes(path, BitmapFile(c.content)));
        TDib dib;
        ASSERT_TRUE(dib.LoadFile(path.c_str()));
        ASSERT_EQ(c.content.width, dib.Width());
        ASSERT_EQ(c.content.height < 0 ? -c.content.height : c.content.height, dib.Height());
        // A colour table becomes the palette, of exactly its own colours.
        ASSERT_EQ(c.content.colors.size(), static_cast<size_t>(dib.ColorCount()));
        EXPECT_EQ(!c.content.colors.empty(), dib.Palette() != nullptr);
        const TPixels pixels = Render(dib);
        int wrong = 0;
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x) {
                const uint32_t v = c.value(x, y);
                const COLORREF expected = !c.content.colors.empty() ? ColorOf(c.content.colors[v])
                                          : c.content.bitCount == 16 ? (v == 0xF800 ? RGB(255, 0, 0) : RGB(0, 0, 255))
                                                                  : RGB(v >> 16, (v >> 8) & 0xFF, v & 0xFF);
                wrong += pixels.At(x, y) != expected;
            }
        EXPECT_EQ(0, wrong);
    }
    DeleteFileA(path.c_str());
}

namespace {

// Little-endian field of a file: the file header's, then the info header's from 14.
std::vector<BYTE> Poked(std::vector<BYTE> bytes, std::initializer_list<std::pair<size_t, uint32_t>> fields)
{
    for (const auto& field : fields) {
        const int size = field.first == 26 || field.first == 28 ? 2 : 4;  // planes and depth are words
        for (int i = 0; i < size; ++i)
            bytes[field.first + i] = static_cast<BYTE>(field.second >> (8 * i));
    }
    return bytes;
}

std::vector<BYTE> Cut(std::vector<BYTE> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

std::vector<BYTE> Rle(std::vector<BYTE> data, bool fourBit = false, int height = 2)
{
    TBitmapContent content{4, height, fourBit ? 4 : 8, static_cast<DWORD>(fourBit ? BI_RLE4 : BI_RLE8), TestColors(16),
                     std::move(data), {}, 40};
    return BitmapFile(content);
}

const size_t kOffBits = 10, kHeaderSize = 14, kWidth = 18, kHeight = 22, kPlanes = 26, kBitCount = 28,
             kCompression = 30, kSizeImage = 34, kColorsUsed = 46;

// A picture with a version-5 header whose colour space is `space`, naming a
// profile of `size` bytes at `offset` from the header; the file ends in the
// five bytes "ICC?" and NUL, kProfileAt from the header.
const uint32_t kProfileAt = 124 + 16 * 4 + 16;
const uint32_t kEmbedded = 0x4D424544, kLinked = 0x4C494E4B, kStandardRgb = 0x73524742;  // 'MBED' 'LINK' 'sRGB'
std::vector<BYTE> Profiled(uint32_t space, uint32_t offset, uint32_t size)
{
    TBitmapContent content = Content(4, 4, 8, BI_RGB, 16, Diagonal);
    content.headerSize = 124;
    std::vector<BYTE> file = BitmapFile(content);
    file.insert(file.end(), {'I', 'C', 'C', '?', 0});
    return Poked(file, {{14 + 56, space}, {14 + 112, offset}, {14 + 116, size}});
}

}  // namespace

TEST(DibFile, MalformedFilesGiveAnEmptyPicture)
{
    const std::vector<BYTE> base = BitmapFile(Content(4, 4, 8, BI_RGB, 16, Diagonal));
    const std::vector<BYTE> goodRle = Rle({4, 1, 0, 0, 4, 1, 0, 1});
    const struct {
        const char* name;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"0-byte file", {}},
        {"only the file header", Cut(base, 14)},
        {"truncated info header", Cut(base, 14 + 20)},
        {"header size past the end", Poked(Cut(base, 14 + 40 + 64), {{kHeaderSize, 108}})},
        {"unknown header size", Poked(base, {{kHeaderSize, 64}})},
        {"colour table cut short", Cut(base, 14 + 40 + 30)},
        {"bits offset past the end", Poked(base, {{kOffBits, 1000}})},
        {"bits offset inside the headers", Poked(base, {{kOffBits, 20}})},
        {"bits offset of 0", Poked(base, {{kOffBits, 0}})},
        {"bits one byte short", Cut(base, base.size() - 1)},
        {"width x height x depth past 32 bits", Poked(base, {{kWidth, 65535}, {kHeight, 65535}, {kBitCount, 32}})},
        {"width past the largest side", Poked(base, {{kWidth, 0x00100000}})},
        {"negative width", Poked(base, {{kWidth, static_cast<uint32_t>(-4)}})},
        {"height of INT_MIN", Poked(base, {{kHeight, 0x80000000u}})},
        {"zero height", Poked(base, {{kHeight, 0}})},
        {"0 planes", Poked(base, {{kPlanes, 0}})},
        {"7 bits a pixel", Poked(base, {{kBitCount, 7}})},
        {"257 palette entries", Poked(base, {{kColorsUsed, 257}})},
        {"17 palette entries at 4 bits", Poked(base, {{kBitCount, 4}, {kColorsUsed, 17}})},
        {"300 palette entries at 24 bits", Poked(base, {{kBitCount, 24}, {kColorsUsed, 300}})},
        {"JPEG compression", Poked(base, {{kCompression, BI_JPEG}})},
        {"RLE 4 at 8 bits", Poked(base, {{kCompression, BI_RLE4}})},
        {"bit fields at 8 bits", Poked(base, {{kCompression, BI_BITFIELDS}})},
        {"not a bitmap", {'P', 'K', 3, 4, 20, 0, 0, 0, 8, 0, 0, 0, 0, 0, 40, 0, 0, 0}},
        {"RLE run past the row", Rle({5, 1, 0, 0, 4, 1, 0, 0, 0, 1})},
        {"RLE absolute run past the row", Rle({0, 6, 1, 2, 3, 4, 5, 6, 0, 0, 0, 1})},
        {"RLE run past the image", Rle({4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1})},
        {"RLE delta past the row", Rle({0, 2, 6, 0, 0, 1})},
        {"RLE delta past the image", Rle({0, 2, 1, 5, 0, 1})},
        {"RLE absolute run past the data", Rle({0, 8, 1, 2, 3})},
        {"RLE without an end mark", Rle({4, 1, 0, 0, 4, 1, 0, 0})},
        {"RLE size past the end of the file", Poked(goodRle, {{kSizeImage, 1000}})},
        {"RLE size of 0", Poked(goodRle, {{kSizeImage, 0}})},
        {"RLE 4 run past the row", Rle({5, 0x11, 0, 0, 0, 1}, true)},
        {"RLE 4 absolute run past the data", Rle({0, 7, 0x12, 0x34}, true)},
        {"RLE stored top-down", Rle({4, 1, 0, 0, 4, 1, 0, 1}, false, -2)},
        {"version-5 profile past the end", Profiled(kEmbedded, 4000, 16)},
        {"version-5 profile running past the end", Profiled(kEmbedded, kProfileAt + 2, 4)},
        {"version-5 profile whose end wraps 32 bits", Profiled(kEmbedded, 0xFFFFFFF0u, 0x20)},
        {"version-5 empty profile", Profiled(kEmbedded, kProfileAt, 0)},
        {"version-5 profile name without its end", Profiled(kLinked, kProfileAt, 4)},
    };
    const std::string path = TempPath("dib_test_bad.bmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The layout reader on the bytes alone, which end at an unreadable page.
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
    // The good files the RLE and profile cases are broken from do load.
    TDib dib;
    for (const std::vector<BYTE>& good : {goodRle, Profiled(kEmbedded, kProfileAt, 4),
                                          Profiled(kLinked, kProfileAt, 5), Profiled(kStandardRgb, 4000, 16)}) {
        ASSERT_TRUE(WriteBytes(path, good));
        EXPECT_TRUE(dib.LoadFile(path.c_str()));
    }

    // A folder named like a picture, a missing file, no name, and a valid
    // header in front of more bytes than any picture takes (refused unread).
    const std::string folder = TempPath("x.bmp");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_FALSE(dib.LoadFile(folder.c_str()));
    RemoveDirectoryA(folder.c_str());
    EXPECT_FALSE(dib.LoadFile(TempPath("absent.bmp").c_str()));
    EXPECT_FALSE(dib.LoadFile(""));
    EXPECT_FALSE(dib.LoadFile(nullptr));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(kMaxBitmapFileBytes) + 1;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    EXPECT_FALSE(dib.LoadFile(path.c_str()));
    DeleteFileA(path.c_str());
}

TEST(DibFile, RandomlyMutatedFilesLoadOrStayEmpty)
{
    std::vector<std::vector<BYTE>> bases;
    TBitmapContent fields = Content(6, 3, 16, BI_BITFIELDS, 0, Red565OrBlue);
    fields.masks = {0xF800, 0x07E0, 0x001F};
    for (const TBitmapContent& content : {Content(12, 7, 8, BI_RGB, 40, Diagonal), Content(12, 7, 8, BI_RLE8, 16, Runs),
                                    Content(13, 5, 4, BI_RLE4, 16, Runs), Content(5, 3, 24, BI_RGB, 0, Rgb), fields})
        bases.push_back(BitmapFile(content));
    std::mt19937 random(20240611);
    const BYTE boundaries[] = {0, 1, 0x7F, 0x80, 0xFF};
    const std::string path = TempPath("dib_test_mutant.bmp");
    const int kCases = 3000;
    int loaded = 0;
    for (int i = 0; i < kCases; ++i) {
        std::vector<BYTE> bytes = bases[random() % bases.size()];
        for (int edits = 1 + random() % 4; edits > 0 && !bytes.empty(); --edits) {
            const uint32_t kind = random() % 10;
            if (kind < 6)  // a header byte, often a boundary value
                bytes[random() % std::min<size_t>(bytes.size(), 70)] =
                    random() % 2 ? boundaries[random() % 5] : static_cast<BYTE>(random());
            else if (kind < 8)  // any bit
                bytes[random() % bytes.size()] ^= static_cast<BYTE>(1u << (random() % 8));
            else if (kind == 8)  // cut short
                bytes.resize(random() % bytes.size());
            else  // bytes inserted
                bytes.insert(bytes.begin() + random() % (bytes.size() + 1), 1 + random() % 8,
                             static_cast<BYTE>(random()));
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
        ASSERT_EQ(static_cast<size_t>(dib.Width()) * dib.Height(), Render(dib).data.size());
    }
    // Both outcomes are common, or the mutations tested nothing.
    EXPECT_GT(loaded, kCases / 10);
    EXPECT_LT(loaded, kCases * 9 / 10);
    DeleteFileA(path.c_str());
}

TEST(DibSection, HeaderHoldsAllTheSystemReads)
{
    // The system reads a header's masks and colour table together: 40 bytes,
    // the three masks of a bit-field picture, then the entries the header
    // counts. Wine reads only the masks of a bit-field header, so the count
    // is checked here as Windows makes it; and the header is handed to the
    // system ending at an unreadable page, which faults on any other shortfall.
    const struct {
        int bitCount, colors, headerSize;
        DWORD compression;
    } rows[] = {
        {16, 0, 40, BI_BITFIELDS},   {16, 3, 40, BI_BITFIELDS},   {16, 253, 40, BI_BITFIELDS},
        {16, 254, 40, BI_BITFIELDS}, {32, 256, 40, BI_BITFIELDS}, {32, 256, 108, BI_BITFIELDS},
        {8, 256, 40, BI_RGB},        {24, 256, 40, BI_RGB},       {4, 16, 12, BI_RGB},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.bitCount << " bits, " << row.colors << " colours, header "
                                        << row.headerSize);
        TBitmapContent content = Content(3, 2, row.bitCount, row.compression, row.colors, Checker);
        content.headerSize = row.headerSize;
        if (row.compression == BI_BITFIELDS && row.headerSize == 40)
            content.masks = {0xF800, 0x07E0, 0x001F};
        std::vector<BYTE> file = BitmapFile(content);
        if (row.headerSize == 108)  // the masks inside the larger header
            file = Poked(file, {{14 + 40, 0xF800}, {14 + 44, 0x07E0}, {14 + 48, 0x001F}});
        TBitmapLayout layout;
        ASSERT_TRUE(ReadBitmapFileLayout(file.data(), file.size(), layout));
        BYTE info[kSectionInfoBytes];
        const size_t size = SectionInfo(file.data(), layout, info);
        const BITMAPINFOHEADER& header = reinterpret_cast<const BITMAPINFO*>(info)->bmiHeader;
        const size_t entries = header.biClrUsed      ? header.biClrUsed
                               : header.biBitCount <= 8 ? 1u << header.biBitCount
                                                        : 0;
        const size_t systemReads = header.biSize + (header.biCompression == BI_BITFIELDS ? 12 : 0) + entries * 4;
        EXPECT_LE(systemReads, size);
        ASSERT_LE(size, kSectionInfoBytes);

        const TGuardedBytes guarded(info, size);
        ASSERT_TRUE(guarded.IsGuarded());
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(guarded.Get()),
                                           DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(nullptr, section);
        DIBSECTION ds;
        ASSERT_EQ(static_cast<int>(sizeof ds), GetObjectA(section, sizeof ds, &ds));
        EXPECT_EQ(3, ds.dsBmih.biWidth);
        if (row.compression == BI_BITFIELDS) {
            EXPECT_EQ(0xF800u, ds.dsBitfields[0]);
        }
        DeleteObject(section);
    }
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
    const TPixels pixels = Render(dib);
    const auto white = std::count(pixels.data.begin(), pixels.data.end(), RGB(255, 255, 255));
    EXPECT_GT(white, 0);  // a figure on a ground
    EXPECT_LT(white, static_cast<long>(pixels.data.size()));

    // Recolouring refills the palette under the same handle, so a palette
    // chosen for painting stays valid.
    const HPALETTE palette = dib.Palette();
    dib.SetColor(1, RGB(10, 20, 30));
    dib.SetColor(2, RGB(1, 1, 1));  // outside the table: nothing
    dib.RebuildPalette();
    EXPECT_EQ(palette, dib.Palette());
    PALETTEENTRY entries[3];
    ASSERT_EQ(2u, GetPaletteEntries(dib.Palette(), 0, 3, entries));
    EXPECT_EQ(RGB(10, 20, 30), RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue));

    EXPECT_FALSE(dib.LoadResource(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"));
    EXPECT_FALSE(dib.IsLoaded());
}
