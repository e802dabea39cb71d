#include "framework/dialogs/standard_icon_element.h"

#include <windows.h>

#include <iterator>
#include <memory>
#include <new>

#include "framework/dialogs/icon_element.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/standard_icon_source.h"
#include "framework/util/resource_names.h"

namespace {

// The element's own kind decides its sound, whatever icon it shows.
class TStandardIconElement : public TIconElement {
public:
    TStandardIconElement(int id, unsigned int sound)
        : TIconElement(DockLeft, AlignTop, StandardIconSource(id), IconSizeLarge), sound_(sound)
    {
    }
    unsigned int SoundStyle() const override { return sound_; }

private:
    unsigned int sound_;
};

const struct {
    int id;
    unsigned int sound;
} kStandardIcons[] = {
    {32516, MB_ICONASTERISK},
    {32515, MB_ICONEXCLAMATION},
    {32514, MB_ICONQUESTION},
    {32513, MB_ICONHAND},
    {CureIconRequest, MB_ICONASTERISK},
    {APPLICATION_ICON_ID, 0},
    {32517, 0},  // the logo: every other identifier
};
const size_t kCount = std::size(kStandardIcons);

// Each made on first request; constant-initialised (all empty), so that no
// thread can race their making.
__constinit std::unique_ptr<TStandardIconElement> elements[kCount];

}  // namespace

TIconElement* StandardIconElement(int id)
{
    size_t index = 0;
    while (index + 1 < kCount && kStandardIcons[index].id != id)
        ++index;
    if (!elements[index])
        elements[index].reset(
            new (std::nothrow) TStandardIconElement(kStandardIcons[index].id, kStandardIcons[index].sound));
    // The shared sources may have been released and made anew since the
    // element was; asking the caches again keeps the pointer alive.
    if (elements[index])
        elements[index]->Icon = StandardIconSource(kStandardIcons[index].id);
    return elements[index].get();
}
