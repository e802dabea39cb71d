#include "framework/dialogs/icon_element.h"

#include <cstring>

#include "framework/settings/registry_key_chain.h"
#include "framework/settings/registry_values.h"

#include "framework/dialogs/shape.h"
#include "framework/drawing/icon_caches.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/system_icon_source.h"
#include "framework/util/resource_names.h"
#include "framework/util/system_sound.h"
#include "framework/util/wide_text.h"

TIconElement::TIconElement(int dock, int align, TIconSource* icon, int sizeKind)
    : TElement(dock, align), Icon(icon), SizeKind(sizeKind)
{
}

int TIconElement::Side() const
{
    // The system's icon sizes, which follow the display's scale.
    return IconSizeOfKind(SizeKind == IconSizeSmall ? IconSizeSmall : IconSizeLarge);
}

SIZE TIconElement::Measure(TShape&, HDC)
{
    return SIZE{Side(), Side()};
}

void TIconElement::CreateControls(TShape& shape, int x, int y)
{
    Shape = &shape;
    X = x;
    Y = y;
    shape.ShowListeners.push_back(this);
}

void TIconElement::Paint(TShape&, HDC dc)
{
    HICON icon = Icon ? Icon->GetIcon(SizeKind, nullptr) : nullptr;
    if (!icon)
        return;
    const int mapMode = SetMapMode(dc, MM_TEXT);
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, X, Y, Side(), Side(),
               Enabled ? DST_ICON : DST_ICON | DSS_DISABLED);
    SetMapMode(dc, mapMode);
}

void TIconElement::Enable(bool enable)
{
    Enabled = enable;
    if (Shape && Shape->Hwnd) {
        RECT square = {X, Y, X + Side(), Y + Side()};
        InvalidateRect(Shape->Hwnd, &square, TRUE);
    }
}

void TIconElement::OnShapeClosed(TShape& shape)
{
    // The shape may be freed next; Enable must not reach it.
    if (Shape == &shape)
        Shape = nullptr;
}

void TIconElement::OnShow(TShape& shape, bool shown)
{
    if (shown) {
        const unsigned int style = SoundStyle();
        if (!shape.SoundPlaying && style && UserWantsBeeps()) {
            PlaySystemSound(style);
            SoundPlayed = true;
            shape.SoundPlaying = true;
        }
    } else if (SoundPlayed) {
        SoundPlayed = false;
        shape.SoundPlaying = false;
    }
}

void TIconElement::ShowLike(const TIconElement& look)
{
    Dock = look.Dock;
    Align = look.Align;
    Icon = look.Icon;
    SizeKind = look.SizeKind;
    Enabled = look.Enabled;
    lookSound_ = static_cast<int>(look.SoundStyle());
}

unsigned int TIconElement::SoundStyle() const
{
    return lookSound_ >= 0 ? static_cast<unsigned int>(lookSound_) : IconSourceSound(Icon);
}

unsigned int IconSourceSound(TIconSource* icon)
{
    if (!icon)
        return 0;
    if (const TSystemIconSource* system = icon->AsSystemIcon())
        return IconSoundStyle(system->Id());
    // The program's own information icon: the shared source of its name.
    if (icon == ResourceIcon(CURE_ICON_NAME))
        return MB_ICONASTERISK;
    return 0;
}

bool IsBeepSwitchedOff(const char* beep)
{
    return beep && (std::strcmp(beep, "いいえ") == 0 || lstrcmpiW(WideText(beep).c_str(), L"No") == 0);
}

bool UserWantsBeeps()
{
    // The user's own key: opened, never created.
    TRegistryKeyChain sound;
    sound.AddEntry(HKEY_CURRENT_USER, "Control Panel\\Sound");
    if (sound.OpenKeys() != ERROR_SUCCESS) {
        sound.CloseKeys();
        return true;
    }
    TText beep;
    {
        TRegStringValue value(&sound, "Beep");
        value.Get(beep.Slot());
    }
    sound.CloseKeys();
    return !IsBeepSwitchedOff(beep.Get());
}
