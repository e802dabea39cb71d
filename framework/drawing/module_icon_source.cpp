#include "framework/drawing/module_icon_source.h"

#include "framework/drawing/module_icon_library.h"

TModuleIconSource::TModuleIconSource(TModuleIconLibrary* library, int index) : IconLibrary(library), IconIndex(index)
{
}

HICON TModuleIconSource::GetIcon(int kind, TIconSource* fallback)
{
    return IconLibrary->Icon(IconIndex, kind, fallback);
}

HICON TModuleIconSource::CreateIcon(int width, int height, TIconSource* fallback)
{
    HICON icon = IconLibrary->SizedIcon(IconIndex, width, height, LR_DEFAULTCOLOR, fallback);
    return icon ? icon : TIconSource::CreateIcon(width, height, fallback);
}
