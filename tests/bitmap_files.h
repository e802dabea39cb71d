// ".bmp" files built in memory for the picture tests: uncompressed rows of
// any depth, run-length encoded rows, the headers around them, and a picture
// whose every pixel names its own coordinates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A pixel's stored value: a colour-table index, 0xRRGGBB at 24 and 32 bits,
// or the raw 16-bit word.
using TPixelValue = std::function<uint32_t(int x, int y)>;

struct TBitmapContent {
    int width = 0;
    int height = 0;  // negative: rows stored top-down
    int bitCount = 8;
    DWORD compression = BI_RGB;
    std::vector<RGBQUAD> colors;
    std::vector<BYTE> bits;  // the stored pixel data
    std::vector<DWORD> masks;  // three, after the header, for BI_BITFIELDS
    int headerSize = 40;       // 12 for a core header (3-byte colour entries)
};

// Uncompressed rows padded to four bytes, in the order the height's sign gives.
inline std::vector<BYTE> PackRows(int width, int height, int bitCount, const TPixelValue& value)
{
    const int rows = height < 0 ? -height : height;
    const size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    std::vector<BYTE> bits(stride * rows, 0);
    for (int r = 0; r < rows; ++r)
        for (int x = 0; x < width; ++x) {
            const uint32_t v = value(x, height < 0 ? r : rows - 1 - r);
            BYTE* row = bits.data() + stride * r;
            if (bitCount < 8)
                row[x * bitCount / 8] |= static_cast<BYTE>(v << (8 - bitCount - x * bitCount % 8));
            else
                for (int i = 0; i < bitCount / 8; ++i)
                    row[x * bitCount / 8 + i] = static_cast<BYTE>(v >> (8 * i));
        }
    return bits;
}

// Run-length rows (bottom-up): runs of equal pixels, an end-of-line mark after
// every row, then the end-of-bitmap mark.
inline std::vector<BYTE> EncodeRle(int width, int height, bool fourBit, const TPixelValue& value)
{
    std::vector<BYTE> out;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0, run = 1; x < width; x += run, run = 1) {
            while (x + run < width && run < 255 && value(x + run, y) == value(x, y))
                ++run;
            const uint32_t v = value(x, y);
            out.insert(out.end(), {static_cast<BYTE>(run), static_cast<BYTE>(fourBit ? (v << 4 | v) : v)});
        }
        out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    return out;
}

inline std::vector<BYTE> BitmapFile(const TBitmapContent& content)
{
    std::vector<BYTE> info;
    auto put = [&info](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            info.push_back(static_cast<BYTE>(value >> (8 * i)));
    };
    const bool core = content.headerSize == 12;
    const int side = core ? 2 : 4;
    put(content.headerSize, 4);
    put(content.width, side);
    put(content.height, side);
    put(1, 2);
    put(content.bitCount, 2);
    if (!core) {
        put(content.compression, 4);
        put(static_cast<uint32_t>(content.bits.size()), 4);
        put(2835, 4);
        put(2835, 4);
        put(static_cast<uint32_t>(content.colors.size()), 4);
        info.resize(content.headerSize, 0);
    }
    for (DWORD mask : content.masks)
        put(mask, 4);
    for (const RGBQUAD& c : content.colors)
        put(c.rgbBlue | c.rgbGreen << 8 | c.rgbRed << 16, core ? 3 : 4);
    const uint32_t offset = static_cast<uint32_t>(14 + info.size());
    std::vector<BYTE> file = {'B', 'M'};
    for (uint32_t v : {static_cast<uint32_t>(offset + content.bits.size()), 0u, offset})
        for (int i = 0; i < 4; ++i)
            file.push_back(static_cast<BYTE>(v >> (8 * i)));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), content.bits.begin(), content.bits.end());
    return file;
}

// Colour i of a test palette; entries 0 to 255 are all different.
inline RGBQUAD TestColor(int i)
{
    return RGBQUAD{static_cast<BYTE>(i * 71 + 5), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
}

inline std::vector<RGBQUAD> TestColors(int count, int first = 0)
{
    std::vector<RGBQUAD> colors;
    for (int i = first; i < first + count; ++i)
        colors.push_back(TestColor(i));
    return colors;
}

inline COLORREF ColorOf(const RGBQUAD& c)
{
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

// A 24-bit picture whose pixel (x, y) names itself: red and green carry the
// low bytes, blue is 0x80 plus the ninth bits. Decode gives (x, y) back.
inline std::vector<BYTE> CoordinatePicture(int width, int height)
{
    TBitmapContent content;
    content.width = width;
    content.height = height;
    content.bitCount = 24;
    content.bits = PackRows(width, height, 24, [](int x, int y) {
        return static_cast<uint32_t>((x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x80 | (x >> 8) << 2 | (y >> 8));
    });
    return BitmapFile(content);
}

inline bool Decode(COLORREF c, POINT& at)
{
    at = {GetRValue(c) | ((GetBValue(c) >> 2) & 1) << 8, GetGValue(c) | (GetBValue(c) & 1) << 8};
    return (GetBValue(c) & 0xFA) == 0x80;
}

inline std::string TempPath(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

inline bool WriteBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    (bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                nullptr)) &&
                    written == bytes.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return ok;
}
