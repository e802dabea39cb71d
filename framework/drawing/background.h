// TBackground: the picture behind dialogs and owner-drawn menus.
//
// Two layers: an optional wallpaper laid over the whole area (stretched,
// tiled, or tiled in brick rows or columns) and a poster placed once at one
// of five positions on each axis. By default the wallpaper is off and the
// poster is the program's two-colour bitmap, recoloured from the system
// colours so that it shows as a faint shape in the bottom-right corner.
// Callers paint it only on displays without a palette.
#pragma once

#include <windows.h>

#include "framework/drawing/dib.h"
#include "framework/util/text.h"

// Wallpaper patterns of `WallStyle`.
enum TWallStyle : int {
    WallStretch = 1,
    WallTile = 2,
    WallBlock = 3,
    WallHex = 4,
};

class TBackground {
public:
    // Settings (the "WallPaper" group) with their defaults.
    int WithWallPaper = 0;
    TText WallPaperFileName;
    int WallStyle = WallTile;
    int WithPoster = 1;
    TText PosterFileName;  // empty: the built-in poster
    int PosterX = 4;       // 0 left edge .. 2 centre .. 4 right edge
    int PosterY = 4;       // 0 top edge .. 2 centre .. 4 bottom edge

    TDib Wallpaper;
    TDib Poster;
    // Selected while painting: none, one picture's palette, or the merged one.
    HPALETTE Palette = nullptr;
    // The module whose bitmap resource is the built-in poster; null means the program.
    HINSTANCE PosterModule = nullptr;

    TBackground() = default;
    ~TBackground();
    TBackground(const TBackground&) = delete;
    TBackground& operator=(const TBackground&) = delete;

    // The defaults of the settings, the pictures loaded again, and the poster
    // recoloured on the dialog face (or the menu colour).
    void ApplyDialogDefaults();
    void ApplyMenuDefaults();
    void LoadPictures();

    // Both layers over the area (x, y, width, height) of the DC.
    void Paint(HDC dc, int x, int y, int width, int height) const;
    // Only the target rectangle of a background whose full area is (x, y,
    // width, height), drawn off screen and copied in one BitBlt.
    void PaintPart(HDC dc, int x, int y, int width, int height, int targetX, int targetY, int targetWidth,
                   int targetHeight) const;

    // Where the poster's top-left corner goes along one axis: position 0..4,
    // the area's length and the picture's length.
    static int PosterOffset(int position, int area, int picture);
    // Calls visit(x, y) for every tile the style lays over the area, in drawing order.
    template <typename Visit>
    static void ForEachTile(int style, int x, int y, int width, int height, int tileWidth, int tileHeight,
                            Visit visit);

private:
    void ApplyDefaults(int faceColor);
    void ChoosePalette();

    HPALETTE merged_ = nullptr;  // owned; the other palettes belong to the pictures
};

// The process-wide backgrounds, created with their defaults on first use.
TBackground* DialogBackground();
TBackground* MenuBackground();
// Applies the defaults again to whichever of the two exists (after a change
// of the system colours).
void ReapplyBackgroundDefaults();
// Deletes both; the next use creates them again.
void DeleteBackgrounds();

template <typename Visit>
void TBackground::ForEachTile(int style, int x, int y, int width, int height, int tileWidth, int tileHeight,
                              Visit visit)
{
    if ((style != WallTile && style != WallBlock && style != WallHex) || tileWidth <= 0 || tileHeight <= 0)
        return;
    // Start from the tile centred in the area and step back until the area's
    // corner is covered. Positions are kept in 64 bits: the area is the
    // caller's, and its far edge must not wrap.
    long long x0 = x + (static_cast<long long>(width) - tileWidth) / 2;
    long long y0 = y + (static_cast<long long>(height) - tileHeight) / 2;
    const long long right = static_cast<long long>(x) + width;
    const long long bottom = static_cast<long long>(y) + height;
    // The shift flag flips once per step back along the axis that alternates,
    // so the line through the centred tile is never the shifted one.
    bool shifted = false;
    while (x0 > x) {
        x0 -= tileWidth;
        if (style == WallHex)
            shifted = !shifted;
    }
    while (y0 > y) {
        y0 -= tileHeight;
        if (style != WallHex)
            shifted = !shifted;
    }
    if (style == WallHex) {
        for (long long left = x0; left <= right; left += tileWidth) {
            for (long long top = y0 - (shifted ? tileHeight / 2 : 0); top <= bottom; top += tileHeight)
                visit(static_cast<int>(left), static_cast<int>(top));
            shifted = !shifted;
        }
        return;
    }
    for (long long top = y0; top <= bottom; top += tileHeight) {
        const long long first = x0 - (style == WallBlock && shifted ? tileWidth / 2 : 0);
        for (long long left = first; left <= right; left += tileWidth)
            visit(static_cast<int>(left), static_cast<int>(top));
        shifted = !shifted;
    }
}
