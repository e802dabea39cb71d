#include "framework/drawing/resource_icon_source.h"
#include "framework/util/wide_text.h"

TResourceIconSource::TResourceIconSource(HINSTANCE instance, const char* name)
    : Instance(instance), ResourceName(name), Small(nullptr), Large(nullptr)
{
}

TResourceIconSource::~TResourceIconSource()
{
    DestroyIconSlot(Small);
    DestroyIconSlot(Large);
}

HICON TResourceIconSource::GetIcon(int kind, TIconSource* fallback)
{
    if (kind == IconSizeSmall || kind == IconSizeLarge) {
        HICON& slot = kind == IconSizeSmall ? Small : Large;
        if (!slot) {
            const int size = IconSizeOfKind(kind);
            slot = static_cast<HICON>(LoadImageW(Instance, TWideArgument(ResourceName).Get(), IMAGE_ICON, size, size, 0));
        }
        if (slot)
            return slot;
    }
    return FallbackIcon(kind, fallback);
}

HICON TResourceIconSource::CreateIcon(int width, int height, TIconSource* fallback)
{
    HICON icon = static_cast<HICON>(LoadImageW(Instance, TWideArgument(ResourceName).Get(), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    return icon ? icon : TIconSource::CreateIcon(width, height, fallback);
}
