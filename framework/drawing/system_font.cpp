#include "framework/drawing/system_font.h"

#include <cstddef>

bool SystemFontDescription(int kind, LOGFONTA& font)
{
    if (kind == IconTitleFont)
        return SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0) != FALSE;
    if (kind < CaptionFont || kind > StatusFont)
        return false;

    // The size without the padded-border field (340 bytes) is known to every
    // version of Windows.
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return false;
    switch (kind) {
    case CaptionFont:
        font = metrics.lfCaptionFont;
        break;
    case MenuFont:
        font = metrics.lfMenuFont;
        break;
    case MessageFont:
        font = metrics.lfMessageFont;
        break;
    case SmallCaptionFont:
        font = metrics.lfSmCaptionFont;
        break;
    default:
        font = metrics.lfStatusFont;
        break;
    }
    return true;
}

HFONT CreateSystemFont(int kind)
{
    LOGFONTA font = {};
    if (!SystemFontDescription(kind, font))
        return nullptr;
    return CreateFontIndirectA(&font);
}
