#include "framework/drawing/background.h"

#include <cstring>
#include <new>

#include "framework/drawing/gdi_objects.h"
#include "framework/settings/app_globals.h"
#include "framework/util/resource_names.h"

namespace {

// Room a merged palette leaves for the twenty static colours of a 256-colour display.
const int kMergedPaletteSize = 236;

TBackground* dialogBackground = nullptr;
TBackground* menuBackground = nullptr;

BYTE Mean(BYTE a, BYTE b)
{
    return static_cast<BYTE>((a + b) >> 1);
}

// The built-in poster's figure against its ground: a little darker on a
// light ground, a good deal lighter on a dark one.
BYTE FigureChannel(BYTE v)
{
    return static_cast<BYTE>(v > 128 ? v - 24 : v + 64);
}

void DrawUnscaled(HDC dc, const TDib& picture, int x, int y)
{
    SetDIBitsToDevice(dc, x, y, picture.Width(), picture.Height(), 0, 0, 0, picture.Height(), picture.Bits(),
                      picture.Info(), DIB_RGB_COLORS);
}

}  // namespace

TBackground::~TBackground()
{
    if (merged_)
        DeleteObject(merged_);
}

void TBackground::ApplyDialogDefaults()
{
    ApplyDefaults(COLOR_BTNFACE);
}

void TBackground::ApplyMenuDefaults()
{
    ApplyDefaults(COLOR_MENU);
}

void TBackground::ApplyDefaults(int faceColor)
{
    WithWallPaper = 0;
    WallPaperFileName.Set("");
    WallStyle = WallTile;
    WithPoster = 1;
    PosterFileName.Set("");
    PosterX = 4;
    PosterY = 4;
    LoadPictures();
    if (!Poster.IsLoaded())
        return;
    const COLORREF face = GetSysColor(faceColor);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    Poster.SetColor(0, face);
    Poster.SetColor(1, RGB(Mean(GetRValue(highlight), GetRValue(face)), Mean(GetGValue(highlight), GetGValue(face)),
                           Mean(GetBValue(highlight), GetBValue(face))));
    Poster.RebuildPalette();
    ChoosePalette();
}

void TBackground::LoadPictures()
{
    Wallpaper.Reset();
    Poster.Reset();
    if (WithWallPaper == 1)
        Wallpaper.LoadFile(WallPaperFileName.Get());
    if (WithPoster == 1) {
        if (*PosterFileName.Get()) {
            Poster.LoadFile(PosterFileName.Get());
        } else {
            HINSTANCE module = PosterModule ? PosterModule : AppGlobals.Instance;
            if (Poster.LoadResource(module ? module : GetModuleHandleW(nullptr), POSTER_BITMAP_NAME)) {
                const COLORREF ground = GetSysColor(COLOR_WINDOW);
                Poster.SetColor(0, ground);
                Poster.SetColor(1, RGB(FigureChannel(GetRValue(ground)), FigureChannel(GetGValue(ground)),
                                       FigureChannel(GetBValue(ground))));
                Poster.RebuildPalette();
            }
        }
    }
    ChoosePalette();
}

void TBackground::ChoosePalette()
{
    // The palette is chosen again after every change of the pictures, so the
    // merged one never outlives the palettes it was made from.
    if (merged_)
        DeleteObject(merged_);
    merged_ = nullptr;
    Palette = nullptr;
    HPALETTE sources[2];
    int count = 0;
    if (WithPoster == 1 && Poster.Palette())
        sources[count++] = Poster.Palette();
    if (WithWallPaper == 1 && Wallpaper.Palette())
        sources[count++] = Wallpaper.Palette();
    if (count == 1)
        Palette = sources[0];
    if (count < 2)
        return;

    BYTE buffer[sizeof(LOGPALETTE) + kMergedPaletteSize * sizeof(PALETTEENTRY)];
    LOGPALETTE* merged = reinterpret_cast<LOGPALETTE*>(buffer);
    merged->palVersion = 0x300;
    int taken = 0;
    for (int s = 0; s < count && taken < kMergedPaletteSize; ++s) {
        PALETTEENTRY entries[256];
        const UINT n = GetPaletteEntries(sources[s], 0, 256, entries);
        for (UINT i = 0; i < n && taken < kMergedPaletteSize; ++i) {
            bool seen = false;
            for (int j = 0; j < taken && !seen; ++j)
                seen = std::memcmp(&merged->palPalEntry[j], &entries[i], sizeof(PALETTEENTRY)) == 0;
            if (!seen)
                merged->palPalEntry[taken++] = entries[i];
        }
    }
    merged->palNumEntries = static_cast<WORD>(taken);
    merged_ = CreatePalette(merged);
    Palette = merged_;
}

int TBackground::PosterOffset(int position, int area, int picture)
{
    const long long room = static_cast<long long>(area) - picture;
    // Positions 1 and 3 centre a picture that does not fit, instead of
    // pushing it further out than the edge positions would.
    int factor = 0;
    switch (position) {
    case 1:
        factor = room <= 0 ? 2 : 1;
        break;
    case 2:
        factor = 2;
        break;
    case 3:
        factor = room <= 0 ? 2 : 3;
        break;
    case 4:
        factor = 4;
        break;
    default:
        factor = 0;
        break;
    }
    return static_cast<int>(factor * room / 4);
}

void TBackground::Paint(HDC dc, int x, int y, int width, int height) const
{
    if (width <= 0 || height <= 0)
        return;
    HPALETTE previous = nullptr;
    if (Palette) {
        previous = SelectPalette(dc, Palette, FALSE);
        RealizePalette(dc);
    }
    if (WithWallPaper == 1 && Wallpaper.IsLoaded()) {
        const int pw = Wallpaper.Width(), ph = Wallpaper.Height();
        if (WallStyle == WallStretch) {
            const int mode = SetStretchBltMode(dc, COLORONCOLOR);
            StretchDIBits(dc, x, y, width, height, 0, 0, pw, ph, Wallpaper.Bits(), Wallpaper.Info(),
                          DIB_RGB_COLORS, SRCCOPY);
            SetStretchBltMode(dc, mode);
        } else {
            // Tiles outside the DC's clip box are skipped: a small picture
            // tiled under a small target would otherwise be drawn everywhere.
            RECT clip;
            const bool clipped = GetClipBox(dc, &clip) != ERROR;
            ForEachTile(WallStyle, x, y, width, height, pw, ph, [&](int left, int top) {
                if (!clipped || (left < clip.right && top < clip.bottom && left + pw > clip.left &&
                                 top + ph > clip.top))
                    DrawUnscaled(dc, Wallpaper, left, top);
            });
        }
    }
    if (WithPoster == 1 && Poster.IsLoaded())
        DrawUnscaled(dc, Poster, x + PosterOffset(PosterX, width, Poster.Width()),
                     y + PosterOffset(PosterY, height, Poster.Height()));
    if (Palette)
        SelectPalette(dc, previous, FALSE);
}

void TBackground::PaintPart(HDC dc, int x, int y, int width, int height, int targetX, int targetY, int targetWidth,
                            int targetHeight) const
{
    if (targetWidth <= 0 || targetHeight <= 0)
        return;
    TMemoryDc memory(dc);
    TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, targetWidth, targetHeight));
    if (!memory || !bitmap)
        return;
    TSelection selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, targetWidth, targetHeight, dc, targetX, targetY, SRCCOPY);
    Paint(memory.Get(), x - targetX, y - targetY, width, height);
    BitBlt(dc, targetX, targetY, targetWidth, targetHeight, memory.Get(), 0, 0, SRCCOPY);
}

namespace {

TBackground* CreatedOnFirstUse(TBackground*& slot, void (TBackground::*applyDefaults)())
{
    if (!slot) {
        slot = new (std::nothrow) TBackground;
        if (slot)
            (slot->*applyDefaults)();
    }
    return slot;
}

}  // namespace

TBackground* DialogBackground()
{
    return CreatedOnFirstUse(dialogBackground, &TBackground::ApplyDialogDefaults);
}

TBackground* MenuBackground()
{
    return CreatedOnFirstUse(menuBackground, &TBackground::ApplyMenuDefaults);
}

void ReapplyBackgroundDefaults()
{
    if (dialogBackground)
        dialogBackground->ApplyDialogDefaults();
    if (menuBackground)
        menuBackground->ApplyMenuDefaults();
}

void DeleteBackgrounds()
{
    delete dialogBackground;
    delete menuBackground;
    dialogBackground = nullptr;
    menuBackground = nullptr;
}
