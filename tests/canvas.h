// Pixels for tests: a 32-bit memory canvas to draw on, copies of what the
// screen shows, and PNG files of them under build/screens/ for review. Pixels
// are COLORREF values (0x00BBGGRR), as RGB() and GetSysColor give them.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TPixels {
    int width = 0, height = 0;
    std::vector<COLORREF> data;

    COLORREF At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A top-down 32-bit DIB section selected into its own memory DC.
class TCanvas {
public:
    TCanvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~TCanvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    void Fill(COLORREF colour)
    {
        SetDCBrushColor(dc_, colour);
        RECT all = {0, 0, width_, height_};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    TPixels Pixels() const
    {
        GdiFlush();
        TPixels pixels{width_, height_, std::vector<COLORREF>(static_cast<size_t>(width_) * height_)};
        for (size_t i = 0; i < pixels.data.size(); ++i)
            pixels.data[i] = RGB((bits_[i] >> 16) & 0xFF, (bits_[i] >> 8) & 0xFF, bits_[i] & 0xFF);
        return pixels;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

// The smallest rectangle inside `area` holding every pixel that `is` accepts
// (left above right when there is none).
inline RECT Bounds(const TPixels& p, const RECT& area, const std::function<bool(COLORREF)>& is)
{
    RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (is(p.At(x, y)))
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
    return box;
}

// A square icon of one opaque colour; the caller destroys it.
inline HICON SolidIcon(int size, COLORREF colour)
{
    TCanvas square(size, size);
    square.Fill(colour);
    const std::vector<BYTE> opaque(static_cast<size_t>((size + 15) / 16 * 2) * size, 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, opaque.data());
    ICONINFO info = {TRUE, 0, 0, mask, square.Bitmap()};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

// What the screen shows in `rect` (screen coordinates).
inline TPixels CaptureScreen(const RECT& rect)
{
    TCanvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Pixels();
}

// Writes build/screens/<name> (two folders above the test program in
// build/<arch>/bin): 8-bit RGB, deflate blocks stored without compression.
inline bool SaveScreenshot(const TPixels& pixels, const char* name)
{
    auto put32 = [](std::string& out, uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out += static_cast<char>(v >> shift);
    };
    auto crc = [](const std::string& bytes) {
        uint32_t c = 0xFFFFFFFFu;
        for (unsigned char byte : bytes) {
            c ^= byte;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
        return c ^ 0xFFFFFFFFu;
    };
    auto chunk = [&](std::string& out, const std::string& typed) {
        put32(out, static_cast<uint32_t>(typed.size() - 4));
        out += typed;
        put32(out, crc(typed));
    };
    std::string raw;
    for (int y = 0; y < pixels.height; ++y) {
        raw += '\0';  // no filter
        for (int x = 0; x < pixels.width; ++x)
            raw += {static_cast<char>(GetRValue(pixels.At(x, y))), static_cast<char>(GetGValue(pixels.At(x, y))),
                    static_cast<char>(GetBValue(pixels.At(x, y)))};
    }
    std::string zlib = "\x78\x01";
    for (size_t pos = 0;;) {
        const size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        const bool last = pos + n == raw.size();
        zlib += {static_cast<char>(last), static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(~n),
                 static_cast<char>(~n >> 8)};
        zlib.append(raw, pos, n);
        if ((pos += n) == raw.size())
            break;
    }
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32(zlib, b << 16 | a);
    std::string header = "IHDR";
    put32(header, static_cast<uint32_t>(pixels.width));
    put32(header, static_cast<uint32_t>(pixels.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    std::string file = "\x89PNG\r\n\x1A\n";
    chunk(file, header);
    chunk(file, "IDAT" + zlib);
    chunk(file, "IEND");

    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    for (int up = 0; up < 3; ++up)
        folder.erase(folder.rfind('\\'));
    folder += "\\screens\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE out = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = out != INVALID_HANDLE_VALUE &&
                    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
                    written == file.size();
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    return ok;
}
