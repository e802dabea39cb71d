// Owner-drawn menus on real windows and real popup menus: the measuring rules,
// mnemonics, the automatic pass, Refresh, the drawn pixels, and pictures of an
// open popup and of a system menu with the extras and their icons.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/core/menu_metrics.h"
#include "framework/core/menu_separator.h"
#include "framework/core/owner_draw_menu.h"
#include "framework/core/system_menu_extras.h"
#include "framework/core/system_menu_icons.h"
#include "framework/util/gdi_objects.h"
#include "framework/util/icon_caches.h"
#include "framework/util/icon_pair_source.h"
#include "framework/util/resource_names.h"
#include "framework/util/system_font.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"

namespace {

std::function<void(size_t menus)> tick;  // runs on every timer tick while a test owns a menu
int ticks = 0;
std::map<ULONG_PTR, RECT> drawn;  // the last rectangle each item was drawn in, by item data

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        return TOwnerDrawMenu::OnMeasureItem(hwnd, wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
        drawn[reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->itemData] = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->rcItem;
        return TOwnerDrawMenu::OnDrawItem(hwnd, wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MENUCHAR:
        return TOwnerDrawMenu::OnMenuChar(hwnd, message, wParam, reinterpret_cast<HMENU>(lParam));
    case WM_TIMER:
        if (tick)
            tick(VisibleMenus().size());
        if (++ticks > 300)  // a menu the test failed to end
            EndMenu();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Items by command; a null text is a separator.
HMENU MakePopup(std::initializer_list<std::pair<UINT, const char*>> items)
{
    HMENU popup = CreatePopupMenu();
    for (const auto& item : items)
        AppendMenuA(popup, item.second ? MF_STRING : MF_SEPARATOR, item.first, item.second);
    return popup;
}

TMenuItem* ItemAt(HMENU menu, int position)
{
    return dynamic_cast<TMenuItem*>(TMenuEntry::OwnerDrawnAt(menu, position));
}

// The menu font made larger while the object lives.
class TLargeMenuFont {
public:
    TLargeMenuFont()
    {
        saved_.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, saved_.cbSize, &saved_, 0);
        NONCLIENTMETRICSA large = saved_;
        large.lfMenuFont.lfHeight = -30;
        SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, large.cbSize, &large, 0);
    }
    ~TLargeMenuFont() { SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, saved_.cbSize, &saved_, 0); }

private:
    NONCLIENTMETRICSA saved_ = {};
};

class OwnerDrawMenuTest : public testing::Test {
protected:
    HWND owner = MakeExtrasWindow("OwnerDrawMenuTest", RECT{100, 100, 500, 400}, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  OwnerProc);
    ~OwnerDrawMenuTest() override { DestroyWindow(owner); }

    // Runs `step` on every tick of the menu's own loop until it ends the menu.
    UINT RunMenu(const std::function<void(size_t)>& step, const std::function<UINT()>& open)
    {
        Activate(owner);
        ticks = 0;
        tick = step;
        SetTimer(owner, 1, 30, nullptr);
        const UINT command = open();
        KillTimer(owner, 1);
        tick = nullptr;
        PumpPending();
        return command;
    }
    UINT Track(HMENU popup, const std::function<void(size_t)>& step)
    {
        return RunMenu(step, [&] { return TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, owner, nullptr); });
    }
};

}  // namespace

TEST_F(OwnerDrawMenuTest, MeasuresByTheRulesAndPicturesTheOpenMenu)
{
    HMENU popup = MakePopup({{101, "&Num Lock"}, {102, "&Caps Lock"}, {0, nullptr}, {191, "設定(&S)...\tCtrl+S"},
                             {9, "ﾍﾙﾌﾟ(&H)\tF1"}, {5, "Three\nline\nlabel"}, {199, "終了(&X)"}});
    CheckMenuItem(popup, 101, MF_CHECKED);
    EnableMenuItem(popup, 199, MF_GRAYED);
    TOwnerDrawMenu menu(popup, {new TMenuItem(101u, ResourceIcon(INDICATORA4_ICON_NAME)),
                                new TMenuItem(102u, ResourceIcon(INDICATORA2_ICON_NAME)), new TMenuItem(191u),
                                new TMenuItem(5u, ResourceIcon(APPLICATION_ICON_NAME)),
                                new TMenuItem(199u, ResourceIcon(CLOSE_ICON_NAME))});
    menu.Attach();

    // U is half the width of "全" in the menu font.
    const TMenuMeasuringDc measuring;
    SIZE wide = {};
    GetTextExtentPoint32A(measuring.Get(), "全", 2, &wide);
    EXPECT_EQ(wide.cx / 2, MenuSpacingUnit);

    const struct {
        int position, box;
        const char *label, *accelerator;
    } rows[] = {{0, 19, "&Num Lock", ""},  {1, 19, "&Caps Lock", ""},          {3, 19, "設定(&S)...", "Ctrl+S"},
                {4, 19, "ﾍﾙﾌﾟ(&H)", "F1"}, {5, 35, "Three\nline\nlabel", ""}, {6, 19, "終了(&X)", ""}};
    int acceleratorX = -1;
    for (const auto& row : rows) {
        TMenuItem* item = ItemAt(popup, row.position);
        ASSERT_TRUE(item) << row.position;
        EXPECT_EQ(row.box, item->IconBoxWidth) << row.label;
        EXPECT_EQ(row.box == 35, item->IconSize == 1) << row.label;
        EXPECT_EQ(row.label, std::string(item->Label.Get()));
        EXPECT_EQ(row.accelerator, std::string(item->AcceleratorText.Get()));
        EXPECT_EQ(std::max(row.box, item->LabelHeight), item->Height) << row.label;
        if (!item->HasAccelerator)
            continue;
        // Every accelerator of the menu starts at one x, right of every label.
        if (acceleratorX < 0)
            acceleratorX = item->AcceleratorX;
        EXPECT_EQ(acceleratorX, item->AcceleratorX) << row.label;
        for (const auto& other : rows)
            EXPECT_GT(acceleratorX, ItemAt(popup, other.position)->IconBoxWidth + 2 +
                                        ItemAt(popup, other.position)->LabelWidth + MenuSpacingUnit);
    }
    EXPECT_GT(acceleratorX, 0);

    // Open it, select the first item with the keyboard and picture it.
    drawn.clear();
    bool pictured = false;
    size_t highlighted = 0;
    int shown = 0;
    Track(popup, [&](size_t menus) {
        if (menus == 1 && ++shown == 1)
            PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
        if (menus == 1 && shown == 8) {
            RECT area = WindowRectOf(VisibleMenus()[0]);
            const TPixels pixels = CaptureScreen(area);
            for (COLORREF c : pixels.data)
                highlighted += c == GetSysColor(COLOR_HIGHLIGHT);
            pictured = SaveScreenshot(pixels, "owner_draw_menu.png");
            EndMenu();
        }
    });
    EXPECT_TRUE(pictured);
    // The menu drew every item in the height the item measured.
    for (int position = 0; position < GetMenuItemCount(popup); ++position) {
        TMenuEntry* entry = TMenuEntry::OwnerDrawnAt(popup, position);
        ASSERT_TRUE(entry && drawn.count(reinterpret_cast<ULONG_PTR>(entry))) << position;
        const RECT rect = drawn[reinterpret_cast<ULONG_PTR>(entry)];
        EXPECT_EQ(entry->Height, rect.bottom - rect.top) << position;
    }
    const RECT first = drawn[reinterpret_cast<ULONG_PTR>(ItemAt(popup, 0))];
    // The accelerators fit in the menu the system made from the widths.
    for (int position : {3, 4})
        EXPECT_LE(ItemAt(popup, position)->AcceleratorX + ItemAt(popup, position)->AcceleratorWidth, first.right - first.left);
    EXPECT_GE(2 * highlighted, static_cast<size_t>((first.right - first.left) * (first.bottom - first.top)));
    DestroyMenu(popup);
}

TEST(OwnerDrawMenuWidth, AVeryLongLabelIsCappedAtAThirdOfTheScreen)
{
    const int third = GetSystemMetrics(SM_CXSCREEN) / 3;
    TMenuItem item(1u);
    item.Text.Set(std::string(300, 'W').c_str());
    const TMenuMeasuringDc measuring;
    EXPECT_EQ(third, item.Measure(measuring.Get()));
    // The widening by a twentieth comes after the cap.
    item.SetWidth(item.Width);
    EXPECT_EQ(third + third / 20, item.Width);
}

TEST_F(OwnerDrawMenuTest, MnemonicsFindAnUpperCaseLetterAfterTheAmpersand)
{
    HMENU popup = MakePopup({{21, "&Alpha"}, {22, "&beta"}, {0, nullptr}, {23, "&Gamma\tCtrl+G"},
                             {24, "Second &Gamma"}, {25, "全角(&Z)"}});
    TOwnerDrawMenu menu(popup);
    menu.Attach();
    const struct {
        char typed;
        UINT command;
    } rows[] = {{'a', 21}, {'A', 21}, {'g', 23}, {'G', 23}, {'z', 25}, {'b', 0}, {'x', 0}};
    for (const auto& row : rows) {
        // Escape follows the letter, so a letter that finds nothing ends with 0.
        bool posted = false;
        EXPECT_EQ(row.command, Track(popup, [&](size_t menus) {
                      if (menus == 1 && !posted) {
                          posted = true;
                          PostMessageA(owner, WM_CHAR, static_cast<BYTE>(row.typed), 0);
                          PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
                      }
                  })) << row.typed;
    }
    // A NUL character would leave the bare '&' that every item holds.
    EXPECT_EQ(0, TOwnerDrawMenu::OnMenuChar(owner, WM_MENUCHAR, 0, popup));
    DestroyMenu(popup);
}

TEST_F(OwnerDrawMenuTest, AutomaticPassAndRefreshKeepTextsChecksAndGreyStates)
{
    HMENU popup = MakePopup({{31, "&Checked"}, {32, "&Grey"}, {0, nullptr}, {33, "Auto c&hecked\tF3"},
                             {34, "Auto g&rey"}});
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(MakePopup({{35, "Inner"}})), "&Sub");
    CheckMenuItem(popup, 31, MF_CHECKED);
    CheckMenuItem(popup, 33, MF_CHECKED);
    EnableMenuItem(popup, 32, MF_GRAYED);
    EnableMenuItem(popup, 34, MF_GRAYED);
    // Position, id, text, whether drawn by an entry (a separator entry shows "-"), check and grey.
    auto describe = [&] {
        std::vector<std::string> items;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            char text[256] = "";
            GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
            const UINT state = GetMenuState(popup, i, MF_BYPOSITION);
            TMenuEntry* entry = TMenuEntry::OwnerDrawnAt(popup, i);
            items.push_back((GetSubMenu(popup, i) ? std::string("popup") : std::to_string(GetMenuItemID(popup, i))) + " " +
                            (dynamic_cast<TMenuSeparator*>(entry) ? "-"
                             : entry ? ItemAt(popup, i)->Text.Get()
                                     : std::string("plain ") + text) +
                            (GetSubMenu(popup, i) ? "" : state & MF_CHECKED ? " checked" : "") +
                            (GetSubMenu(popup, i) ? "" : state & MF_GRAYED ? " grey" : ""));
        }
        return items;
    };
    const std::vector<std::string> plain = describe();
    const std::vector<std::string> drawnItems = {"31 &Checked checked", "32 &Grey grey", "0 - grey",
                                                 "33 Auto c&hecked\tF3 checked", "34 Auto g&rey grey",
                                                 "popup plain &Sub"};
    // Two levels, as the tray menu is built: the menu bar of a menu resource
    // around the wrapper of its popup.
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "ﾄﾚｲｱｲｺﾝ");
    auto* inner = new TOwnerDrawMenu(popup, {new TMenuItem(31u), new TMenuItem(32u)});
    TOwnerDrawMenu menu(bar, {inner});
    menu.Attach();
    EXPECT_EQ(drawnItems, describe());
    EXPECT_EQ(3, inner->AutoItems->Entries.Count());
    menu.Attach();  // a second time: the drawn items keep the texts they captured
    EXPECT_EQ(drawnItems, describe());

    {
        const TLargeMenuFont large;
        menu.Refresh();
        EXPECT_EQ(drawnItems, describe());
        for (int position : {0, 1, 3, 4})
            EXPECT_EQ(35, ItemAt(popup, position)->IconBoxWidth) << position;
        // The automatic entries are made again and get the common width too.
        const TMenuItem* accelerated = ItemAt(popup, 3);
        EXPECT_GT(accelerated->AcceleratorX,
                  accelerated->IconBoxWidth + 2 + accelerated->LabelWidth + MenuSpacingUnit);
    }
    menu.Refresh();
    EXPECT_EQ(19, ItemAt(popup, 3)->IconBoxWidth);
    menu.MakeNormal(nullptr);
    EXPECT_EQ(plain, describe());
    DestroyMenu(bar);
}

TEST_F(OwnerDrawMenuTest, ItemDataOfNoLivingEntryIsLeftToTheSystem)
{
    auto* gone = new TMenuItem(1u);
    gone->Width = 77;
    const ULONG_PTR data = reinterpret_cast<ULONG_PTR>(gone);
    delete gone;
    for (ULONG_PTR foreign : {data, static_cast<ULONG_PTR>(0x12345678), static_cast<ULONG_PTR>(0)}) {
        MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 1, 5, 5, foreign};
        EXPECT_EQ(DefWindowProcA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)),
                  TOwnerDrawMenu::OnMeasureItem(owner, 0, &measure));
        EXPECT_EQ(5u, measure.itemWidth);
        DRAWITEMSTRUCT draw = {ODT_MENU, 0, 1, ODA_DRAWENTIRE, 0, nullptr, nullptr, {0, 0, 9, 9}, foreign};
        EXPECT_EQ(0, TOwnerDrawMenu::OnDrawItem(owner, 0, &draw));
    }
}

TEST(OwnerDrawMenuDrawing, IconPlaceCheckFrameHighlightAndSeparator)
{
    const COLORREF ink = RGB(200, 30, 60), shadow = GetSysColor(COLOR_BTNSHADOW);
    TIconPairSource solid(SolidIcon(16, ink), SolidIcon(32, ink));
    TCanvas canvas(240, 80);
    const TGdiObject<HFONT> font(CreateSystemFont(MenuFont));
    const TSelection selected(canvas.Dc(), font.Get());
    const struct {
        const char* text;
        UINT state;
        bool icon;
        COLORREF square;  // the colour the icon square is painted in
    } rows[] = {
        {"&Open\tCtrl+O", 0, true, ink},
        {"&Open\tCtrl+O", ODS_SELECTED, true, ink},
        {"&Open\tCtrl+O", ODS_CHECKED, true, ink},
        {"&Open\tCtrl+O", ODS_GRAYED, true, shadow},
        {"&Open\tCtrl+O", ODS_GRAYED | ODS_SELECTED, true, shadow},
        {"Tall\nthree\nlines", 0, true, ink},
        {"&Plain", ODS_CHECKED, false, 0},
    };
    std::vector<RECT> labels;
    for (const auto& row : rows) {
        TMenuItem item(1u, row.icon ? &solid : nullptr);
        item.Text.Set(row.text);
        item.SetWidth(item.Measure(TMenuMeasuringDc().Get()));
        canvas.Fill(RGB(0, 255, 0));
        const DRAWITEMSTRUCT draw = {ODT_MENU, 0, 1, ODA_DRAWENTIRE, row.state, nullptr, canvas.Dc(),
                                     {0, 10, 240, 10 + item.Height}, reinterpret_cast<ULONG_PTR>(&item)};
        item.Draw(draw);
        const TPixels p = canvas.Pixels();
        const int size = item.IconSize ? 32 : 16, top = 10 + (item.Height - size) / 2;
        const RECT square = {1, top, 1 + size, top + size};
        if (row.icon) {
            EXPECT_EQ(square, Bounds(p, {0, 10, item.IconBoxWidth, 10 + item.Height},
                                     [&](COLORREF c) { return c == row.square; })) << row.text << row.state;
        }
        const bool isSelected = row.state & ODS_SELECTED;
        EXPECT_EQ(isSelected, p.At(235, 10 + item.Height / 2) == GetSysColor(COLOR_HIGHLIGHT)) << row.state;
        if (row.state & ODS_CHECKED) {
            EXPECT_EQ(shadow, p.At(square.left - 1, square.top - 1));
            EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), p.At(square.right, square.bottom));
            // Without an icon of its own the item shows the check icon in the frame.
            const RECT mark = Bounds(p, square, [](COLORREF c) { return c != GetSysColor(COLOR_BTNHIGHLIGHT); });
            EXPECT_LT(mark.left, mark.right);
        }
        const COLORREF text = GetSysColor(isSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        labels.push_back(Bounds(p, {item.IconBoxWidth, 10, item.AcceleratorX ? item.AcceleratorX : 240, 10 + item.Height},
                                [&](COLORREF c) { return c == text; }));
    }
    // The access-key prefix is handled alike whether or not the item is selected.
    EXPECT_EQ(labels[0], labels[1]);

    TMenuSeparator separator(0);
    separator.Measure(nullptr);
    canvas.Fill(RGB(0, 255, 0));
    const DRAWITEMSTRUCT draw = {ODT_MENU, 0, 0, ODA_DRAWENTIRE, 0, nullptr, canvas.Dc(),
                                 {0, 10, 240, 10 + separator.Height}, reinterpret_cast<ULONG_PTR>(&separator)};
    separator.Draw(draw);
    EXPECT_EQ(shadow, canvas.Pixels().At(120, 13));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.Pixels().At(120, 14));
}

TEST_F(OwnerDrawMenuTest, SystemMenuWithTheExtrasAndTheirIcons)
{
    AddSystemMenuExtras(TWindow(owner), true);
    EnablePositionCommands(TWindow(owner), true);
    CheckPositionRule(TWindow(owner), SysCmdMouse);
    HMENU system = GetSystemMenu(owner, FALSE);
    TOwnerDrawMenu menu(system);
    AddSystemMenuIcons(&menu, system);
    menu.Attach();

    for (const TSystemMenuIcon& row : SystemMenuIcons) {
        auto* item = dynamic_cast<TMenuItem*>(menu.FindById(row.Command));
        if (!row.Command)
            continue;
        ASSERT_TRUE(item) << row.IconName;
        EXPECT_EQ(ResourceIcon(row.IconName), item->Icon) << row.IconName;
        EXPECT_STRNE("", item->Text.Get()) << row.IconName;
    }
    const int popupAt = PositionPopupIndex(system);
    auto* positions = dynamic_cast<TOwnerDrawMenu*>(TMenuEntry::OwnerDrawnAt(system, popupAt));
    ASSERT_TRUE(positions);
    EXPECT_STREQ(PositionPopupText, positions->Text.Get());
    EXPECT_EQ(ResourceIcon(WINDOWPOSITION_ICON_NAME), positions->Icon);
    EXPECT_EQ(3, positions->Entries.Count());
    EXPECT_EQ(PositionPopup(TWindow(owner)), GetSubMenu(system, popupAt));
    for (int i = 0; i < GetMenuItemCount(system); ++i)
        EXPECT_TRUE(TMenuEntry::OwnerDrawnAt(system, i)) << i;

    // The access key "P" reaches the drawn popup through WM_MENUCHAR.
    bool pictured = false;
    RunMenu(
        [&](size_t menus) {
            if (menus == 1 && ticks % 5 == 2)
                PostMessageA(owner, WM_CHAR, 'p', 0);
            if (menus == 2 && !pictured) {
                pictured = SaveScreenshot(CaptureScreen(AreaWithMenus(owner)), "owner_draw_system_menu.png");
                EndMenu();
            }
        },
        [&] { return static_cast<UINT>(SendMessageA(owner, WM_SYSCOMMAND, SC_KEYMENU, ' ')); });
    EXPECT_TRUE(pictured);
}
