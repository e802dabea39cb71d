#include "framework/drawing/icon_pair_source.h"

TIconPairSource::TIconPairSource(HICON small, HICON large) : Small(small), Large(large)
{
    if (!Small && Large)
        Small = static_cast<HICON>(
            CopyImage(Large, IMAGE_ICON, IconSizeOfKind(IconSizeSmall), IconSizeOfKind(IconSizeSmall), 0));
    if (!Large && Small)
        Large = static_cast<HICON>(
            CopyImage(Small, IMAGE_ICON, IconSizeOfKind(IconSizeLarge), IconSizeOfKind(IconSizeLarge), 0));
}

TIconPairSource::~TIconPairSource()
{
    DestroyIconSlot(Small);
    DestroyIconSlot(Large);
}

HICON TIconPairSource::GetIcon(int kind, TIconSource* fallback)
{
    HICON icon = kind == IconSizeSmall ? Small : kind == IconSizeLarge ? Large : nullptr;
    return icon ? icon : FallbackIcon(kind, fallback);
}
