// TIconSource: one origin of an icon, served in two sizes (and, for module
// icons, the system and native sizes too).
//
// Shared sources come from the cached factories of icon_caches.h and live until
// the end of the program; callers never free them. GetIcon hands out an icon
// the source keeps; CreateIcon makes a new one that the caller destroys.
#pragma once

#include <windows.h>

// Icon size kinds, passed to every icon request.
enum : int {
    IconSizeSmall = 0,   // the system's small icons: 16 x 16 at 96 DPI
    IconSizeLarge = 1,   // the system's large icons: 32 x 32 at 96 DPI
    IconSizeSystem = 2,  // the system's default size (LR_DEFAULTSIZE)
    IconSizeNative = 3,  // the size the image was made in
};

// Width and height requested for a kind (0 for the system and native kinds),
// and the load flags that go with it. The small and large sizes are the
// system's (SM_CXSMICON, SM_CXICON), which follow the display's scale.
int IconSizeOfKind(int kind);
UINT IconLoadFlagsOfKind(int kind);

class TSystemIconSource;

class TIconSource {
public:
    TIconSource() = default;
    virtual ~TIconSource() = default;
    TIconSource(const TIconSource&) = delete;
    TIconSource& operator=(const TIconSource&) = delete;

    // An icon of the kind that the source keeps, else the fallback's GetIcon
    // (kind, no fallback), else null.
    virtual HICON GetIcon(int kind, TIconSource* fallback) = 0;
    // A new icon of exactly width x height that the caller owns: the source's
    // icon of the nearer kind copied to that size, else the fallback's
    // CreateIcon, else null.
    virtual HICON CreateIcon(int width, int height, TIconSource* fallback);
    // The source as a system icon's, or null (asked of the source itself, so
    // that the program carries no run-time type search for it).
    virtual const TSystemIconSource* AsSystemIcon() const { return nullptr; }

protected:
    static HICON FallbackIcon(int kind, TIconSource* fallback);
    static HICON FallbackCreateIcon(int width, int height, TIconSource* fallback);
};

// Destroys an icon held in a slot and clears the slot.
void DestroyIconSlot(HICON& icon);
