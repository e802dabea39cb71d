// TDib: a picture in device-independent form, as the backgrounds paint it.
//
// It holds the header with the colour table (or the three colour masks of a
// 16- or 32-bit picture), the pixel bits and a palette built from the colour
// table. The system decodes: a ".bmp" file is loaded with LoadImageA into a
// DIB section, and a bitmap resource (or a file the loader mishandles: rows
// stored top-down, a core header) is handed to SetDIBits; header, colour
// table and bits are then taken from the section, which owns the bits. Every
// input passes the layout checks of bitmap_layout.h first, so the decoder
// only ever sees data whose sizes and offsets hold.
#pragma once

#include <windows.h>

#include <vector>

class TDib {
public:
    TDib() = default;
    ~TDib();
    TDib(const TDib&) = delete;
    TDib& operator=(const TDib&) = delete;

    // Each frees what was loaded before; on failure the picture stays empty.
    bool LoadFile(const char* path);
    bool LoadResource(HINSTANCE module, const char* name);
    void Reset();

    bool IsLoaded() const { return bits_ != nullptr; }
    const BITMAPINFO* Info() const;  // null when empty
    const void* Bits() const { return bits_; }
    int Width() const;
    int Height() const;  // always positive; the header keeps the row order
    int BitCount() const;
    int ColorCount() const;
    RGBQUAD Color(int index) const;  // black outside the table
    HPALETTE Palette() const { return palette_; }

    // Changes one colour-table entry (outside the table: nothing). The
    // palette follows only when RebuildPalette is called, which keeps the
    // palette handle and refills its entries whenever the count allows.
    void SetColor(int index, COLORREF colour);
    void RebuildPalette();

private:
    // Takes over a DIB section whose picture has `colorCount` table entries.
    bool TakeSection(HBITMAP section, int colorCount);

    std::vector<BYTE> info_;  // BITMAPINFOHEADER, then masks or the colour table
    HBITMAP section_ = nullptr;
    const void* bits_ = nullptr;  // inside section_
    HPALETTE palette_ = nullptr;
};

// A palette (version 0x300) of the given colours; null for none.
HPALETTE CreatePaletteFromColors(const RGBQUAD* colors, int count);
