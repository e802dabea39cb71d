#include "framework/drawing/standard_icon_source.h"

#include "framework/drawing/icon_caches.h"
#include "framework/util/resource_names.h"

TIconSource* StandardIconSource(int id)
{
    // The caches hand out one source per key for the whole run, so asking
    // again is the same as keeping the first answer.
    switch (id) {
    case 32513:
    case 32514:
    case 32515:
    case 32516:
        return SystemIcon(id);
    case CureIconRequest:
        return ResourceIcon(CURE_ICON_NAME);
    case APPLICATION_ICON_ID:
        return ResourceIcon(APPLICATION_ICON_NAME);
    default:
        return SystemIcon(32517);
    }
}

TIconSource* ApplicationIcon()
{
    return StandardIconSource(APPLICATION_ICON_ID);
}

TIconSource* VersionInfoIcon()
{
    return StandardIconSource(32516);
}
