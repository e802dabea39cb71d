#include "framework/drawing/system_icon_source.h"

TSystemIconSource::TSystemIconSource(int id) : IconId(id), Small(nullptr), Large(nullptr) {}

TSystemIconSource::~TSystemIconSource()
{
    DestroyIconSlot(Small);
}

HICON TSystemIconSource::GetIcon(int kind, TIconSource* fallback)
{
    if (kind == IconSizeLarge && !Large)
        Large = LoadIconW(nullptr, MAKEINTRESOURCEW(IconId));
    // The system's own image of the small size, not the large one shrunk.
    if (kind == IconSizeSmall && !Small) {
        const int side = IconSizeOfKind(IconSizeSmall);
        Small = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(IconId), IMAGE_ICON, side, side, 0));
    }
    HICON icon = kind == IconSizeSmall ? Small : kind == IconSizeLarge ? Large : nullptr;
    if (icon)
        return icon;
    return FallbackIcon(kind, fallback);
}

HICON TSystemIconSource::CreateIcon(int width, int height, TIconSource* fallback)
{
    HICON icon = static_cast<HICON>(
        LoadImageW(nullptr, MAKEINTRESOURCEW(IconId), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    return icon ? icon : TIconSource::CreateIcon(width, height, fallback);
}
