#include "framework/util/system_icon_source.h"

TSystemIconSource::TSystemIconSource(int id) : IconId(id), Small(nullptr), Large(nullptr) {}

TSystemIconSource::~TSystemIconSource()
{
    DestroyIconSlot(Small);
}

HICON TSystemIconSource::GetIcon(int kind, TIconSource* fallback)
{
    if (kind == IconSizeSmall || kind == IconSizeLarge) {
        if (!Large)
            Large = LoadIconA(nullptr, MAKEINTRESOURCEA(IconId));
        if (kind == IconSizeSmall && !Small && Large)
            Small = static_cast<HICON>(CopyImage(Large, IMAGE_ICON, IconSizeOfKind(IconSizeSmall),
                                                 IconSizeOfKind(IconSizeSmall), 0));
        HICON icon = kind == IconSizeSmall ? Small : Large;
        if (icon)
            return icon;
    }
    return FallbackIcon(kind, fallback);
}

HICON TSystemIconSource::CreateIcon(int width, int height, TIconSource* fallback)
{
    HICON icon = static_cast<HICON>(
        LoadImageA(nullptr, MAKEINTRESOURCEA(IconId), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    return icon ? icon : TIconSource::CreateIcon(width, height, fallback);
}
