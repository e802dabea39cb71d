#include "framework/drawing/icon_source.h"

int IconSizeOfKind(int kind)
{
    switch (kind) {
    case IconSizeSmall:
        return GetSystemMetrics(SM_CXSMICON);
    case IconSizeLarge:
        return GetSystemMetrics(SM_CXICON);
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
    // The small size squared still counts as small (16 x 16 = 256 at 96 DPI).
    const int small = IconSizeOfKind(IconSizeSmall);
    const int kind = width * height > small * small ? IconSizeLarge : IconSizeSmall;
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
