#include "framework/drawing/dib.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "framework/drawing/bitmap_layout.h"
#include "framework/drawing/gdi_objects.h"
#include "framework/util/wide_text.h"

namespace {

const int kMaxColors = 256;
const size_t kMaskBytes = 3 * sizeof(DWORD);

class TFileHandle {
public:
    explicit TFileHandle(HANDLE handle) : handle_(handle) {}
    ~TFileHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// The whole file, when it is small enough to be a picture this program shows.
std::unique_ptr<BYTE[]> ReadWholeFile(HANDLE file, size_t& size)
{
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length) || length.QuadPart < 0 ||
        static_cast<uint64_t>(length.QuadPart) > kMaxBitmapFileBytes)
        return nullptr;
    size = static_cast<size_t>(length.QuadPart);
    std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[size ? size : 1]);
    if (!data)
        return nullptr;
    size_t done = 0;
    while (done < size) {
        DWORD read = 0;
        if (!ReadFile(file, data.get() + done, static_cast<DWORD>(size - done), &read, nullptr) || read == 0)
            return nullptr;
        done += read;
    }
    return data;
}

uint64_t StrideOf(int width, int bitCount)
{
    return ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
}

// A DIB section of the picture's size and depth, into which the system
// decodes the checked bytes (`data` as the layout was read from) with SetDIBits.
// The section is always bottom-up, whatever the order of the stored rows.
HBITMAP DecodeIntoSection(const BYTE* data, const TBitmapLayout& layout)
{
    const int rows = layout.Height < 0 ? -layout.Height : layout.Height;
    alignas(BITMAPINFO) BYTE info[kSectionInfoBytes];
    SectionInfo(data, layout, info);
    const BYTE* header = data + layout.HeaderOffset;
    void* bits = nullptr;
    HBITMAP section =
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section)
        return nullptr;
    TMemoryDc dc(nullptr);
    if (SetDIBits(dc.Get(), section, 0, rows, data + layout.BitsOffset, reinterpret_cast<const BITMAPINFO*>(header),
                  DIB_RGB_COLORS) <= 0) {
        DeleteObject(section);
        return nullptr;
    }
    return section;
}

}  // namespace

HPALETTE CreatePaletteFromColors(const RGBQUAD* colors, int count)
{
    if (!colors || count <= 0 || count > kMaxColors)
        return nullptr;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        palette->palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    return CreatePalette(palette);
}

TDib::~TDib()
{
    Reset();
}

void TDib::Reset()
{
    if (palette_)
        DeleteObject(palette_);
    if (section_)
        DeleteObject(section_);
    palette_ = nullptr;
    section_ = nullptr;
    bits_ = nullptr;
    info_.clear();
}

const BITMAPINFO* TDib::Info() const
{
    return info_.empty() ? nullptr : reinterpret_cast<const BITMAPINFO*>(info_.data());
}

int TDib::Width() const
{
    return info_.empty() ? 0 : Info()->bmiHeader.biWidth;
}

int TDib::Height() const
{
    if (info_.empty())
        return 0;
    const LONG height = Info()->bmiHeader.biHeight;
    return height < 0 ? -height : height;
}

int TDib::BitCount() const
{
    return info_.empty() ? 0 : Info()->bmiHeader.biBitCount;
}

int TDib::ColorCount() const
{
    if (info_.empty() || Info()->bmiHeader.biCompression == BI_BITFIELDS)
        return 0;
    return static_cast<int>(Info()->bmiHeader.biClrUsed);
}

RGBQUAD TDib::Color(int index) const
{
    if (index < 0 || index >= ColorCount())
        return RGBQUAD{0, 0, 0, 0};
    return Info()->bmiColors[index];
}

void TDib::SetColor(int index, COLORREF colour)
{
    if (index < 0 || index >= ColorCount())
        return;
    RGBQUAD* table = reinterpret_cast<BITMAPINFO*>(info_.data())->bmiColors;
    table[index] = {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
}

void TDib::RebuildPalette()
{
    const int count = ColorCount();
    if (count == 0) {
        if (palette_)
            DeleteObject(palette_);
        palette_ = nullptr;
        return;
    }
    // Refilling keeps the handle, so whoever selected this palette still holds a live one.
    if (palette_ && GetPaletteEntries(palette_, 0, 0, nullptr) == static_cast<UINT>(count)) {
        PALETTEENTRY entries[kMaxColors];
        for (int i = 0; i < count; ++i) {
            const RGBQUAD c = Info()->bmiColors[i];
            entries[i] = {c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
        }
        SetPaletteEntries(palette_, 0, count, entries);
        return;
    }
    if (palette_)
        DeleteObject(palette_);
    palette_ = CreatePaletteFromColors(Info()->bmiColors, count);
}

bool TDib::TakeSection(HBITMAP section, int colorCount)
{
    DIBSECTION ds;
    if (GetObjectW(section, sizeof ds, &ds) != static_cast<int>(sizeof ds) || !ds.dsBm.bmBits)
        return false;
    const BITMAPINFOHEADER& header = ds.dsBmih;
    const int64_t rows = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
    const int bitCount = header.biBitCount;
    if (header.biWidth <= 0 || header.biWidth > kMaxBitmapSide || rows <= 0 || rows > kMaxBitmapSide ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32))
        return false;
    const uint64_t image = StrideOf(header.biWidth, bitCount) * static_cast<uint64_t>(rows);
    if (image > kMaxBitmapImageBytes)
        return false;

    RGBQUAD colors[kMaxColors];
    int count = 0;
    const bool masks = header.biCompression == BI_BITFIELDS;
    if (bitCount <= 8) {
        TMemoryDc dc(nullptr);
        TSelection selected(dc.Get(), section);
        count = static_cast<int>(GetDIBColorTable(dc.Get(), 0, kMaxColors, colors));
        if (count <= 0 || count > kMaxColors)
            return false;
        // The section may pad a short table to the full 2^depth entries;
        // the palette holds only the colours the picture has.
        if (colorCount > 0 && colorCount < count)
            count = colorCount;
    }
    info_.assign(sizeof(BITMAPINFOHEADER) + (masks ? kMaskBytes : count * sizeof(RGBQUAD)), 0);
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(info_.data());
    info->bmiHeader = header;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biCompression = masks ? BI_BITFIELDS : BI_RGB;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(image);
    info->bmiHeader.biClrUsed = static_cast<DWORD>(count);
    info->bmiHeader.biClrImportant = 0;
    if (masks)
        std::memcpy(info->bmiColors, ds.dsBitfields, kMaskBytes);
    else if (count)
        std::memcpy(info->bmiColors, colors, count * sizeof(RGBQUAD));
    section_ = section;
    bits_ = ds.dsBm.bmBits;
    palette_ = CreatePaletteFromColors(colors, count);
    return true;
}

bool TDib::LoadFile(const char* path)
{
    Reset();
    if (!path || !*path)
        return false;
    // One full path for the check and the decoder: the system searches other
    // folders for a relative name, and must not find a file nobody checked.
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(TWideText(path).Get(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return false;
    // Held open without write or delete sharing until the system has decoded
    // it, so the file it reads is the file that was checked.
    TFileHandle file(CreateFileW(full, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE)
        return false;
    TBitmapLayout layout;
    HBITMAP section = nullptr;
    bool decodedHere = false;
    {
        size_t size = 0;
        std::unique_ptr<BYTE[]> data = ReadWholeFile(file.Get(), size);
        if (!data || !ReadBitmapFileLayout(data.get(), size, layout))
            return false;
        // The system's file loader does not turn top-down rows or a core
        // header's colour table into a correct section everywhere; those
        // pictures are decoded from the checked bytes instead.
        decodedHere = layout.Height < 0 || layout.ColorEntrySize == 3;
        if (decodedHere)
            section = DecodeIntoSection(data.get(), layout);
    }
    if (!decodedHere)
        section = static_cast<HBITMAP>(
            LoadImageW(nullptr, full, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!section)
        return false;
    if (!TakeSection(section, layout.ColorCount)) {
        DeleteObject(section);
        return false;
    }
    const int rows = layout.Height < 0 ? -layout.Height : layout.Height;
    if (Width() != layout.Width || Height() != rows) {
        Reset();
        return false;
    }
    return true;
}

bool TDib::LoadResource(HINSTANCE module, const char* name)
{
    Reset();
    HRSRC resource = FindResourceW(module, TWideArgument(name).Get(), reinterpret_cast<LPCWSTR>(RT_BITMAP));
    if (!resource)
        return false;
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL handle = ::LoadResource(module, resource);
    const BYTE* data = handle ? static_cast<const BYTE*>(LockResource(handle)) : nullptr;
    TBitmapLayout layout;
    if (!data || !ReadPackedBitmapLayout(data, size, layout))
        return false;
    HBITMAP section = DecodeIntoSection(data, layout);
    if (section && !TakeSection(section, layout.ColorCount)) {
        DeleteObject(section);
        return false;
    }
    return section != nullptr;
}
