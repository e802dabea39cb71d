// The framework with the heap used up: each operation runs while the n-th
// allocation and every one after it fail, for each n until none fails.
// Nothing ends the program (a build without exceptions would end at a
// throwing allocation), what was made is whole or empty, and once the
// operation's results are freed nothing it allocated is left.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <new>
#include <string>

#include "framework/core/menu_entry.h"
#include "framework/core/owner_draw_menu.h"
#include "framework/core/system_menu_extras.h"
#include "framework/core/system_menu_icons.h"
#include "framework/drawing/icon_caches.h"
#include "framework/drawing/icon_source.h"
#include "framework/settings/registry_key.h"
#include "framework/settings/state_blob.h"
#include "framework/settings/text_array.h"
#include "framework/util/text.h"
#include "tests/allocation_hooks.h"
#include "tests/core/extras_fixture.h"

namespace {

// Whether every owner-drawn item of the menu, and of its popups, carries an
// entry that lives.
bool EveryDrawnItemHasItsEntry(HMENU menu)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (((info.fType & MFT_OWNERDRAW) && !TMenuEntry::OwnerDrawnAt(menu, i)) ||
            (info.hSubMenu && !EveryDrawnItemHasItsEntry(info.hSubMenu)))
            return false;
    }
    return true;
}

// One operation: made ready with memory, run without, checked and freed with memory.
struct TSweptOperation {
    const char* name;
    std::function<void()> prepare;
    std::function<void()> run;
    std::function<void()> checkAndFree;
};

}  // namespace

TEST(WithoutMemory, EveryAllocationFailingInTurn)
{
    HWND window = nullptr;
    HMENU system = nullptr;
    TOwnerDrawMenu* menu = nullptr;
    TIconSource* source = nullptr;
    HICON icon = nullptr;
    HKEY key = nullptr;
    const char kTexts[] = "one\0two\0three\0";
    TTextArray texts;
    TStateBlob blob;
    char* joined = nullptr;
    char* formatted = nullptr;
    const TSweptOperation operations[] = {
        {"the system menu with the extras, wrapped with icons",
         [&] {
             window = MakeExtrasWindow("WithoutMemory", RECT{100, 100, 400, 300});
             AddSystemMenuExtras(TWindow(window), true);
             system = GetSystemMenu(window, FALSE);
         },
         [&] {
             menu = new (std::nothrow) TOwnerDrawMenu(system);
             if (menu) {
                 AddSystemMenuIcons(menu, system);
                 menu->Attach();
             }
         },
         [&] {
             EXPECT_TRUE(EveryDrawnItemHasItsEntry(system));
             if (menu)
                 menu->Refresh();
             EXPECT_TRUE(EveryDrawnItemHasItsEntry(system));
             delete menu;
             DestroyWindow(window);
             ReleaseIconCaches();
         }},
        {"a module's icon",
         [] {},
         [&] {
             source = ModuleHandleIcon(GetModuleHandleA(nullptr), 0);
             icon = source ? source->GetIcon(IconSizeSmall, nullptr) : nullptr;
         },
         [&] {
             EXPECT_TRUE(!icon || source);
             ReleaseIconCaches();
         }},
        {"a multi-string value and a copied block",
         [&] {
             ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\WithoutMemoryTest", 0, nullptr, 0,
                                                      KEY_ALL_ACCESS, nullptr, &key, nullptr));
             ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Texts", 0, REG_MULTI_SZ,
                                                     reinterpret_cast<const BYTE*>(kTexts), sizeof kTexts));
         },
         [&] {
             ReadMultiString(key, "Texts", texts);
             blob.Assign(kTexts, sizeof kTexts);
         },
         [&] {
             // All three texts or none; any of them empty when there was no memory for it.
             EXPECT_TRUE(texts.Count == 0 || texts.Count == 3) << texts.Count;
             for (int i = 0; i < texts.Count; ++i)
                 EXPECT_TRUE(!*texts.At(i) || !std::strcmp(texts.At(i), i ? i == 1 ? "two" : "three" : "one"));
             EXPECT_TRUE(blob.IsEmpty() || !std::memcmp(blob.Data, kTexts, sizeof kTexts));
             texts.Resize(0);
             blob.Assign(nullptr, 0);
             RegCloseKey(key);
             RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\WithoutMemoryTest");
         }},
        {"texts joined and formatted",
         [] {},
         [&] {
             StrConcat(joined, "ab", "cd");
             StrFormat(formatted, 16, "%d-%s", 42, joined);
         },
         [&] {
             // Each whole, or the empty text.
             EXPECT_TRUE(!*joined || !std::strcmp(joined, "abcd")) << joined;
             EXPECT_TRUE(!*formatted || !std::strcmp(formatted, "42-abcd") || !std::strcmp(formatted, "42-"))
                 << formatted;
             FreeText(joined);
             FreeText(formatted);
         }},
    };
    for (const TSweptOperation& operation : operations) {
        SCOPED_TRACE(operation.name);
        // The first run, with memory, makes what stays made for the whole
        // run (a list's first node, the system's own caches).
        for (int allowed = -1;; ++allowed) {
            operation.prepare();
            const long live = LiveAllocations();
            bool refused = false;
            {
                TFailingAllocations failing(allowed < 0 ? INT_MAX : allowed);
                operation.run();
                refused = failing.Refused();
            }
            operation.checkAndFree();
            if (allowed >= 0) {
                EXPECT_EQ(live, LiveAllocations()) << allowed;
            }
            if ((allowed >= 0 && !refused) || HasFailure())
                break;
        }
    }
}
