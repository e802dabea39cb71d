// ".bmp" files built in memory for the picture tests: uncompressed rows of
// any depth, run-length encoded rows, and the headers around them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// A pixel's value: a colour-table index, 0xRRGGBB for 24 and 32 bits, or the
// raw 16-bit word.
using TPixelValue = std::function<uint32_t(int x, int y)>;

struct TBitmapSpec {
    int width = 0;
    int height = 0;  // negative: rows stored top-down
    int bitCount = 8;
    DWORD compression = BI_RGB;
    int headerSize = 40;  // 12 for a core header (3-byte colour entries)
    std::vector<RGBQUAD> colors;
    std::vector<DWORD> masks;  // three, after the header, for BI_BITFIELDS
    std::vector<BYTE> bits;    // the stored pixel data
};

inline void PutLe(std::vector<BYTE>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// Uncompressed rows, each padded to four bytes, in the order the height's sign gives.
inline std::vector<BYTE> PackRows(int width, int height, int bitCount, const TPixelValue& value)
{
    const int rows = height < 0 ? -height : height;
    const size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    std::vector<BYTE> bits(stride * rows, 0);
    for (int r = 0; r < rows; ++r) {
        const int y = height < 0 ? r : rows - 1 - r;
        BYTE* row = bits.data() + stride * r;
        for (int x = 0; x < width; ++x) {
            const uint32_t v = value(x, y);
            switch (bitCount) {
            case 1:
                row[x / 8] |= static_cast<BYTE>((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<BYTE>((v & 15) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<BYTE>(v);
                break;
            case 16:
                row[2 * x] = static_cast<BYTE>(v);
                row[2 * x + 1] = static_cast<BYTE>(v >> 8);
                break;
            default: {
                const int size = bitCount / 8;
                row[size * x] = static_cast<BYTE>(v);            // blue
                row[size * x + 1] = static_cast<BYTE>(v >> 8);   // green
                row[size * x + 2] = static_cast<BYTE>(v >> 16);  // red
                break;
            }
            }
        }
    }
    return bits;
}

// Run-length rows (bottom-up): runs of equal pixels, an end-of-line mark
// after every row and the end-of-bitmap mark.
inline std::vector<BYTE> EncodeRle(int width, int height, bool fourBit, const TPixelValue& value)
{
    std::vector<BYTE> out;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width;) {
            const uint32_t v = value(x, y);
            int run = 1;
            while (x + run < width && run < 255 && value(x + run, y) == v)
                ++run;
            out.push_back(static_cast<BYTE>(run));
            out.push_back(static_cast<BYTE>(fourBit ? ((v & 15) << 4 | (v & 15)) : v));
            x += run;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

inline std::vector<BYTE> BitmapFile(const TBitmapSpec& spec)
{
    std::vector<BYTE> info;
    const bool core = spec.headerSize == 12;
    PutLe(info, static_cast<uint32_t>(spec.headerSize), 4);
    if (core) {
        PutLe(info, static_cast<uint32_t>(spec.width), 2);
        PutLe(info, static_cast<uint32_t>(spec.height), 2);
        PutLe(info, 1, 2);
        PutLe(info, static_cast<uint32_t>(spec.bitCount), 2);
    } else {
        PutLe(info, static_cast<uint32_t>(spec.width), 4);
        PutLe(info, static_cast<uint32_t>(spec.height), 4);
        PutLe(info, 1, 2);
        PutLe(info, static_cast<uint32_t>(spec.bitCount), 2);
        PutLe(info, spec.compression, 4);
        PutLe(info, static_cast<uint32_t>(spec.bits.size()), 4);
        PutLe(info, 2835, 4);
        PutLe(info, 2835, 4);
        PutLe(info, static_cast<uint32_t>(spec.colors.size()), 4);
        PutLe(info, 0, 4);
        info.resize(spec.headerSize, 0);
    }
    for (DWORD mask : spec.masks)
        PutLe(info, mask, 4);
    for (const RGBQUAD& c : spec.colors) {
        info.push_back(c.rgbBlue);
        info.push_back(c.rgbGreen);
        info.push_back(c.rgbRed);
        if (!core)
            info.push_back(0);
    }
    std::vector<BYTE> file = {'B', 'M'};
    PutLe(file, static_cast<uint32_t>(14 + info.size() + spec.bits.size()), 4);
    PutLe(file, 0, 4);
    PutLe(file, static_cast<uint32_t>(14 + info.size()), 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), spec.bits.begin(), spec.bits.end());
    return file;
}

// Colour i of a test palette: every entry distinct.
inline RGBQUAD TestColor(int i)
{
    return RGBQUAD{static_cast<BYTE>((i * 71 + 5) & 0xFF), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
}

inline std::vector<RGBQUAD> TestColors(int count, int first = 0)
{
    std::vector<RGBQUAD> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back(TestColor(first + i));
    return colors;
}

inline COLORREF ColorOf(const RGBQUAD& c)
{
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

inline bool WriteBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                nullptr) &&
                                      written == bytes.size());
    CloseHandle(file);
    return ok;
}

// A folder of its own under the temporary folder, removed with its files.
class TTempFolder {
public:
    explicit TTempFolder(const char* name)
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name + "\\";
        Clear();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TTempFolder()
    {
        Clear();
        RemoveDirectoryA(path_.c_str());
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string Path(const std::string& name) const { return path_ + name; }

private:
    void Clear()
    {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((path_ + "*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryA((path_ + name).c_str());
            else
                DeleteFileA((path_ + name).c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }

    std::string path_;
};
