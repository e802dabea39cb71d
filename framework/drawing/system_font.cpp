#include "framework/drawing/system_font.h"

#include <cstddef>
#include <cstring>

#include "framework/util/wide_text.h"

bool SystemFontDescription(int kind, LOGFONTW& font)
{
    if (kind == IconTitleFont)
        return SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0) != FALSE;
    if (kind < CaptionFont || kind > StatusFont)
        return false;

    // The size without the padded-border field (500 bytes) is known to every
    // version of Windows.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
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

bool SystemFontDescription(int kind, LOGFONTA& font)
{
    LOGFONTW wide = {};
    if (!SystemFontDescription(kind, wide))
        return false;
    // Every field but the face name has the same place and meaning in both.
    static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(LOGFONTW, lfFaceName), "LOGFONT layouts");
    std::memcpy(&font, &wide, offsetof(LOGFONTA, lfFaceName));
    CopyNarrowText(font.lfFaceName, LF_FACESIZE, wide.lfFaceName);
    return true;
}

HFONT CreateSystemFont(int kind)
{
    LOGFONTW font = {};
    if (!SystemFontDescription(kind, font))
        return nullptr;
    return CreateFontIndirectW(&font);
}
