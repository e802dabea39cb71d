#include "framework/util/icon_source.h"

int IconSizeOfKind(int kind)
{
    switch (kind) {
    case IconSizeSmall:
        return 16;
    case IconSizeLarge:
        return 32;
    default:
        return 0;
    }
}

UINT IconLoadFlagsOfKind(int kind)
{
    return kind == IconSizeSystem ? LR_DEFAULTSIZE : 0;
}

HICON TIconSource::FallbackIcon(int kind, TIconSource* fallback)
{
    return fallback ? fallback->GetIcon(kind, nullptr) : nullptr;
}

HICON TIconSource::FallbackCreateIcon(int width, int height, TIconSource* fallback)
{
    return fallback ? fallback->CreateIcon(width, height, nullptr) : nullptr;
}

HICON TIconSource::CreateIcon(int width, int height, TIconSource* fallback)
{
    // 16 x 16 = 256 still counts as small.
    const int kind = width * height > 256 ? IconSizeLarge : IconSizeSmall;
    HICON icon = GetIcon(kind, nullptr);
    if (icon) {
        HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, 0));
        if (copy)
            return copy;
    }
    return FallbackCreateIcon(width, height, fallback);
}

void DestroyIconSlot(HICON& icon)
{
    if (icon)
        DestroyIcon(icon);
    icon = nullptr;
}
