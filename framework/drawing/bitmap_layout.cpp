#include "framework/drawing/bitmap_layout.h"

#include <cstring>

namespace {

const size_t kFileHeaderSize = 14;
const size_t kCoreHeaderSize = 12;
const size_t kInfoHeaderSize = 40;
const size_t kV4HeaderSize = 108;
const size_t kV5HeaderSize = 124;
const size_t kMaskBytes = 12;
const int kMaxColors = 256;
// Where a version-5 header keeps its colour space and its profile's place,
// and the two colour spaces that name a profile ('MBED' and 'LINK').
const size_t kV5ColorSpace = 56;
const size_t kV5ProfileData = 112;
const size_t kV5ProfileSize = 116;
const uint32_t kProfileEmbedded = 0x4D424544;
const uint32_t kProfileLinked = 0x4C494E4B;

uint16_t Word(const BYTE* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Dword(const BYTE* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IsBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Header fields into the layout: dimensions, depth, compression and colour
// count, each checked against what the format allows.
bool ReadHeader(const BYTE* data, size_t size, TBitmapLayout& layout)
{
    if (size < 4)
        return false;
    layout.HeaderSize = Dword(data);
    int64_t height = 0;
    uint32_t colorsUsed = 0;
    int planes = 0;
    if (layout.HeaderSize == kCoreHeaderSize) {
        if (size < kCoreHeaderSize)
            return false;
        layout.Width = Word(data + 4);
        height = Word(data + 6);
        planes = Word(data + 8);
        layout.BitCount = Word(data + 10);
        layout.Compression = BI_RGB;
        layout.ColorEntrySize = 3;
        if (layout.BitCount == 16 || layout.BitCount == 32)
            return false;
    } else if (layout.HeaderSize == kInfoHeaderSize || layout.HeaderSize == kV4HeaderSize ||
               layout.HeaderSize == kV5HeaderSize) {
        if (size < layout.HeaderSize)
            return false;
        const int32_t width = static_cast<int32_t>(Dword(data + 4));
        height = static_cast<int32_t>(Dword(data + 8));
        if (width <= 0)
            return false;
        layout.Width = width;
        planes = Word(data + 12);
        layout.BitCount = Word(data + 14);
        layout.Compression = Dword(data + 16);
        colorsUsed = Dword(data + 32);
        layout.ColorEntrySize = 4;
    } else {
        return false;
    }
    if (planes != 1 || !IsBitCount(layout.BitCount))
        return false;
    const int64_t rows = height < 0 ? -height : height;
    if (layout.Width <= 0 || layout.Width > kMaxBitmapSide || rows == 0 || rows > kMaxBitmapSide)
        return false;
    layout.Height = static_cast<int>(height);

    switch (layout.Compression) {
    case BI_RGB:
        break;
    case BI_RLE8:
    case BI_RLE4:
        // Run-length data is stored bottom-up only, at its own depth.
        if (layout.BitCount != (layout.Compression == BI_RLE8 ? 8 : 4) || height < 0)
            return false;
        break;
    case BI_BITFIELDS:
        if (layout.BitCount != 16 && layout.BitCount != 32)
            return false;
        break;
    default:
        return false;
    }

    // A depth up to 8 has a table of at most 2^depth entries (0 means all of
    // them); deeper pictures may carry an optional table for palette displays.
    const uint32_t full = layout.BitCount <= 8 ? (1u << layout.BitCount) : 0;
    if (layout.BitCount <= 8) {
        if (colorsUsed > full)
            return false;
        layout.ColorCount = static_cast<int>(colorsUsed ? colorsUsed : full);
    } else {
        if (colorsUsed > static_cast<uint32_t>(kMaxColors))
            return false;
        layout.ColorCount = static_cast<int>(colorsUsed);
    }
    return true;
}

// A version-5 header may name a colour profile, embedded or as a file name,
// at an offset from the header's start: the system reads it from there, so
// it must lie inside the data, and a name must end inside it.
bool CheckProfile(const BYTE* data, size_t size, const TBitmapLayout& layout)
{
    if (layout.HeaderSize != kV5HeaderSize)
        return true;
    const uint32_t space = Dword(data + kV5ColorSpace);
    if (space != kProfileEmbedded && space != kProfileLinked)
        return true;
    const uint64_t offset = Dword(data + kV5ProfileData);
    const uint64_t bytes = Dword(data + kV5ProfileSize);
    if (bytes == 0 || offset + bytes > size)
        return false;
    return space == kProfileEmbedded ||
           std::memchr(data + offset, 0, static_cast<size_t>(bytes)) != nullptr;
}

// The decoded size, the colour table's place and the size of the header part.
bool SizeParts(size_t size, TBitmapLayout& layout, uint64_t& infoEnd)
{
    const uint64_t stride = ((static_cast<uint64_t>(layout.Width) * layout.BitCount + 31) / 32) * 4;
    const uint64_t rows = layout.Height < 0 ? -static_cast<int64_t>(layout.Height) : layout.Height;
    const uint64_t image = stride * rows;
    if (image > kMaxBitmapImageBytes)
        return false;
    layout.Stride = static_cast<size_t>(stride);
    layout.ImageBytes = static_cast<size_t>(image);

    uint64_t colorOffset = layout.HeaderSize;
    if (layout.Compression == BI_BITFIELDS && layout.HeaderSize == kInfoHeaderSize)
        colorOffset += kMaskBytes;
    layout.ColorOffset = static_cast<size_t>(colorOffset);
    infoEnd = colorOffset + static_cast<uint64_t>(layout.ColorCount) * layout.ColorEntrySize;
    // Some loaders look at the byte after the colour table (the first pixel)
    // even when the bits start elsewhere, so that byte must exist too.
    return infoEnd + 1 <= size;
}

// The pixel data at `offset`: uncompressed bits must all be there; compressed
// data is as long as the header says and must be well formed.
bool CheckBits(const BYTE* data, size_t size, uint64_t offset, uint32_t compressedSize, TBitmapLayout& layout)
{
    if (offset > size)
        return false;
    const uint64_t available = size - offset;
    uint64_t bytes = layout.ImageBytes;
    if (layout.Compression == BI_RLE8 || layout.Compression == BI_RLE4) {
        bytes = compressedSize;
        if (bytes == 0 || bytes > available ||
            !CheckRleBits(data + offset, static_cast<size_t>(bytes), layout.Width, layout.Height,
                          layout.Compression == BI_RLE4))
            return false;
    } else if (bytes > available) {
        return false;
    }
    layout.BitsOffset = static_cast<size_t>(offset);
    layout.BitsBytes = static_cast<size_t>(bytes);
    return true;
}

uint32_t CompressedSize(const BYTE* header, const TBitmapLayout& layout)
{
    return layout.HeaderSize == kCoreHeaderSize ? 0 : Dword(header + 20);
}

}  // namespace

bool ReadPackedBitmapLayout(const BYTE* data, size_t size, TBitmapLayout& layout)
{
    layout = TBitmapLayout();
    uint64_t infoEnd = 0;
    if (!data || !ReadHeader(data, size, layout) || !CheckProfile(data, size, layout) ||
        !SizeParts(size, layout, infoEnd))
        return false;
    return CheckBits(data, size, infoEnd, CompressedSize(data, layout), layout);
}

bool ReadBitmapFileLayout(const BYTE* file, size_t size, TBitmapLayout& layout)
{
    layout = TBitmapLayout();
    if (!file || size < kFileHeaderSize || file[0] != 'B' || file[1] != 'M')
        return false;
    const BYTE* packed = file + kFileHeaderSize;
    const size_t packedSize = size - kFileHeaderSize;
    uint64_t infoEnd = 0;
    if (!ReadHeader(packed, packedSize, layout) || !CheckProfile(packed, packedSize, layout) ||
        !SizeParts(packedSize, layout, infoEnd))
        return false;
    // The bits start where the file header says, never inside the headers
    // (an offset below them would point the decoder before the file).
    const uint64_t offset = Dword(file + 10);
    if (offset < kFileHeaderSize + infoEnd)
        return false;
    if (!CheckBits(file, size, offset, CompressedSize(packed, layout), layout))
        return false;
    layout.HeaderOffset = kFileHeaderSize;
    layout.ColorOffset += kFileHeaderSize;
    return true;
}

size_t SectionInfo(const BYTE* data, const TBitmapLayout& layout, BYTE* buffer)
{
    std::memset(buffer, 0, kSectionInfoBytes);
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(buffer);
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = layout.Width;
    info->bmiHeader.biHeight = layout.Height < 0 ? -layout.Height : layout.Height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(layout.BitCount);
    if (layout.Compression == BI_BITFIELDS) {
        info->bmiHeader.biCompression = BI_BITFIELDS;
        // The masks follow a 40-byte header and sit at the same place inside the larger ones.
        std::memcpy(info->bmiColors, data + layout.HeaderOffset + kInfoHeaderSize, kMaskBytes);
        return kInfoHeaderSize + kMaskBytes;
    }
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biClrUsed = static_cast<DWORD>(layout.ColorCount);
    for (int i = 0; i < layout.ColorCount; ++i) {
        const BYTE* entry = data + layout.ColorOffset + i * layout.ColorEntrySize;
        info->bmiColors[i] = {entry[0], entry[1], entry[2], 0};
    }
    return kInfoHeaderSize + static_cast<size_t>(layout.ColorCount) * sizeof(RGBQUAD);
}

bool CheckRleBits(const BYTE* bits, size_t bytes, int width, int height, bool fourBit)
{
    if (!bits || width <= 0 || height <= 0)
        return false;
    int64_t x = 0, y = 0;
    size_t pos = 0;
    while (pos + 2 <= bytes) {
        const int count = bits[pos];
        const int value = bits[pos + 1];
        pos += 2;
        if (count > 0) {
            // An encoded run of `count` pixels.
            if (y >= height || x + count > width)
                return false;
            x += count;
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            if (++y > height)
                return false;
            break;
        case 1:  // end of bitmap
            return true;
        case 2:  // delta: move right and up
            if (pos + 2 > bytes)
                return false;
            x += bits[pos];
            y += bits[pos + 1];
            pos += 2;
            if (x > width || y > height)
                return false;
            break;
        default: {  // an absolute run of `value` pixels, padded to a 16-bit boundary
            const size_t stored = fourBit ? (static_cast<size_t>(value) + 1) / 2 : static_cast<size_t>(value);
            const size_t padded = (stored + 1) & ~static_cast<size_t>(1);
            if (y >= height || x + value > width || padded > bytes - pos)
                return false;
            x += value;
            pos += padded;
            break;
        }
        }
    }
    return false;  // the data ended without an end-of-bitmap mark
}
