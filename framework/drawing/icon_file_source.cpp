#include "framework/drawing/icon_file_source.h"

#include "framework/util/text.h"
#include "framework/util/wide_text.h"

TIconFileSource::TIconFileSource(const char* path) : FilePath(NewText(path)), Small(nullptr), Large(nullptr) {}

TIconFileSource::~TIconFileSource()
{
    DestroyIconSlot(Small);
    DestroyIconSlot(Large);
    FreeText(FilePath);
}

HICON TIconFileSource::GetIcon(int kind, TIconSource* fallback)
{
    if (kind == IconSizeSmall || kind == IconSizeLarge) {
        HICON& slot = kind == IconSizeSmall ? Small : Large;
        if (!slot) {
            const int size = IconSizeOfKind(kind);
            slot = static_cast<HICON>(LoadImageW(nullptr, TWideText(FilePath).Get(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
        }
        if (slot)
            return slot;
    }
    return FallbackIcon(kind, fallback);
}

HICON TIconFileSource::CreateIcon(int width, int height, TIconSource* fallback)
{
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, TWideText(FilePath).Get(), IMAGE_ICON, width, height, LR_LOADFROMFILE));
    return icon ? icon : TIconSource::CreateIcon(width, height, fallback);
}
