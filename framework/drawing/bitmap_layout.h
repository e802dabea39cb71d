// The layout of a ".bmp" file or a packed device-independent bitmap (header,
// colour table, pixel bits), read from bytes that may come from any file a
// user points the program at.
//
// Nothing here decodes pixels. The reader checks every size and offset the
// data states against the bytes that are really there, in 64-bit arithmetic,
// before the system decoder is allowed near the data: a loader that trusts
// the header reads past the end of the file, and one that trusts the
// dimensions allocates whatever they multiply to.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Largest decoded picture accepted (stride × height), and largest side.
// Reading a whole file is bounded by the same figure plus room for the
// headers, so no allocation ever follows a number taken from the data alone.
const uint64_t kMaxBitmapImageBytes = 64u << 20;
const uint64_t kMaxBitmapFileBytes = kMaxBitmapImageBytes + (1u << 20);
const int kMaxBitmapSide = 65535;

struct TBitmapLayout {
    int Width = 0;             // pixels, above 0
    int Height = 0;            // pixels; negative for a top-down picture
    int BitCount = 0;          // 1, 4, 8, 16, 24 or 32
    DWORD Compression = 0;     // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    size_t HeaderOffset = 0;   // where the header starts: 0, or 14 in a file
    size_t HeaderSize = 0;     // 12 (core header), 40, 108 or 124
    int ColorCount = 0;        // entries in the colour table; 0 when there is none
    size_t ColorEntrySize = 0; // 3 after a core header, else 4
    size_t ColorOffset = 0;    // where the colour table starts, after the header and masks
    size_t Stride = 0;         // bytes per decoded row, a multiple of 4
    size_t ImageBytes = 0;     // Stride × |Height|, at most kMaxBitmapImageBytes
    size_t BitsOffset = 0;     // where the pixel data starts
    size_t BitsBytes = 0;      // bytes of pixel data: ImageBytes, or the compressed size
};

// Reads a packed bitmap: `data` starts with the header, and the pixel bits
// follow the colour table. Offsets in the layout count from `data`.
bool ReadPackedBitmapLayout(const BYTE* data, size_t size, TBitmapLayout& layout);

// Reads a ".bmp" file image: the 14-byte file header, then a packed bitmap
// whose bits start where the file header says. Offsets count from `file`.
bool ReadBitmapFileLayout(const BYTE* file, size_t size, TBitmapLayout& layout);

// The header a checked picture is decoded into a DIB section with: a 40-byte
// header for bottom-up rows, then the masks of a bit-field picture or the
// colour table of any other. The system reads a bit-field header's masks and
// colour table together, so the section is given no table after the masks
// (it has no use for one). Writes it to `info`, which holds
// kSectionInfoBytes, and returns the bytes the system reads of it.
const size_t kSectionInfoBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
size_t SectionInfo(const BYTE* data, const TBitmapLayout& layout, BYTE* info);

// Walks run-length encoded pixel data (8 or 4 bits a pixel) and accepts it
// only when every command lies inside the data, no run or delta leaves its row
// or the picture, and an end-of-bitmap mark comes before the data ends.
bool CheckRleBits(const BYTE* bits, size_t bytes, int width, int height, bool fourBit);
