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
#include "framework/drawing/gdi_objects.h"
#include "framework/drawing/icon_caches.h"
#include "framework/drawing/icon_pair_source.h"
#include "framework/drawing/system_font.h"
#include "framework/util/resource_names.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"

namespace {

std::function<void(size_t menus)> tick;  // runs on every timer tick while a test's menu is open
int ticks = 0;
std::map<ULONG_PTR, RECT> drawn;  // the last rectangle each item was drawn in, by item data

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM)
        return TOwnerDrawMenu::OnMeasureItem(hwnd, wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        drawn[item->itemData] = item->rcItem;
        return TOwnerDrawMenu::OnDrawItem(hwnd, wParam, item);
    }
    if (message == WM_MENUCHAR)
        return TOwnerDrawMenu::OnMenuChar(hwnd, message, wParam, reinterpret_cast<HMENU>(lParam));
    if (message != WM_TIMER)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (tick)
        tick(VisibleMenus().size());
    if (++ticks > 300)  // a menu the test failed to end
        EndMenu();
    return 0;
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

// Sets the menu font's height for this session only (0: the height it had first).
void SetMenuFontHeight(LONG height)
{
    static LONG first = 0;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    first = first ? first : metrics.lfMenuFont.lfHeight;
    metrics.lfMenuFont.lfHeight = height ? height : first;
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
}

class OwnerDrawMenuTest : public testing::Test {
protected:
    HWND owner = MakeExtrasWindow("OwnerDrawMenuTest", RECT{100, 100, 500, 400}, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  OwnerProc);
    ~OwnerDrawMenuTest() override { DestroyWindow(owner); }

    // Opens `popup` (null: the system menu) and runs `step` on every tick of
    // the menu's own loop until it ends the menu; the command chosen.
    UINT Track(HMENU popup, const std::function<void(size_t)>& step)
    {
        Activate(owner);
        ticks = 0;
        tick = step;
        SetTimer(owner, 1, 30, nullptr);
        const UINT command = popup ? TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, owner, nullptr)
                                   : static_cast<UINT>(SendMessageA(owner, WM_SYSCOMMAND, SC_KEYMENU, ' '));
        KillTimer(owner, 1);
        tick = nullptr;
        PumpPending();
        return command;
    }
};

}  // namespace

TEST_F(OwnerDrawMenuTest, MeasuresByTheRulesAndPicturesTheOpenMenu)
{
    HMENU popup = MakePopup({{101, "&Num Lock"}, {102, "&Caps Lock"}, {0, nullptr}, {191, "設定(&S)...\tCtrl+S"},
                             {9, "ﾍﾙﾌﾟ(&H)\tF1"}, {5, "Three\nline\nlabel"}, {199, "終了(&X)"}});
    CheckMenuItem(popup, 101, MF_CHECKED);
    EnableMenuItem(popup, 199, MF_GRAYED);
    TOwnerDrawMenu menu(popup, {new TMenuItem(101, ResourceIcon(INDICATORA4_ICON_NAME)),
                                new TMenuItem(102, ResourceIcon(INDICATORA2_ICON_NAME)), new TMenuItem(191),
                                new TMenuItem(5, ResourceIcon(APPLICATION_ICON_NAME)),
                                new TMenuItem(199, ResourceIcon(CLOSE_ICON_NAME))});
    menu.Attach();
    // Nothing is measured until the menu opens: a menu never opened costs no font.
    for (int position = 0; position < GetMenuItemCount(popup); ++position)
        EXPECT_EQ(0, TMenuEntry::OwnerDrawnAt(popup, position)->Height) << position;

    // Open it, select the first item with the keyboard and picture it.
    drawn.clear();
    size_t highlighted = 0, shown = 0;
    bool pictured = false;
    Track(popup, [&](size_t menus) {
        if (menus == 1 && ++shown == 1)
            PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
        if (menus == 1 && shown == 8) {
            const TPixels pixels = CaptureScreen(WindowRectOf(VisibleMenus()[0]));
            for (COLORREF c : pixels.data)
                highlighted += c == GetSysColor(COLOR_HIGHLIGHT);
            pictured = SaveScreenshot(pixels, "owner_draw_menu.png");
            EndMenu();
        }
    });
    EXPECT_TRUE(pictured);
    // The menu drew every item in the height it measured; the accelerators fit.
    auto rectOf = [&](int position) { return drawn[reinterpret_cast<ULONG_PTR>(ItemAt(popup, position))]; };
    for (int position = 0; position < GetMenuItemCount(popup); ++position)
        EXPECT_EQ(TMenuEntry::OwnerDrawnAt(popup, position)->Height, rectOf(position).bottom - rectOf(position).top);
    const RECT first = rectOf(0);
    for (int position : {3, 4})
        EXPECT_LE(ItemAt(popup, position)->AcceleratorX + ItemAt(popup, position)->AcceleratorWidth, first.right - first.left);
    EXPECT_GE(2 * highlighted, static_cast<size_t>((first.right - first.left) * (first.bottom - first.top)));

    // U is half the width of "全" in the menu font.
    SIZE wide = {};
    GetTextExtentPoint32A(TMenuMeasuringDc().Get(), "全", 2, &wide);
    EXPECT_EQ(wide.cx / 2, MenuSpacingUnit);
    const struct {
        int position, box;
        std::string split;  // label | accelerator
    } rows[] = {{0, 19, "&Num Lock|"},  {1, 19, "&Caps Lock|"},          {3, 19, "設定(&S)...|Ctrl+S"},
                {4, 19, "ﾍﾙﾌﾟ(&H)|F1"}, {5, 35, "Three\nline\nlabel|"}, {6, 19, "終了(&X)|"}};
    const int acceleratorX = ItemAt(popup, 3)->AcceleratorX;
    for (const auto& row : rows) {
        const TMenuItem* item = ItemAt(popup, row.position);
        ASSERT_TRUE(item) << row.position;
        EXPECT_EQ(row.split, std::string(item->Label.Get()) + "|" + item->AcceleratorText.Get());
        EXPECT_EQ(row.box, item->IconBoxWidth) << row.split;
        // Every accelerator of the menu starts at one x, right of every label.
        EXPECT_EQ(item->HasAccelerator ? acceleratorX : 0, item->AcceleratorX) << row.split;
        EXPECT_GT(acceleratorX, item->IconBoxWidth + 2 + item->LabelWidth + MenuSpacingUnit) << row.split;
    }
    DestroyMenu(popup);
}

TEST_F(OwnerDrawMenuTest, MnemonicsFindOnlyAnUpperCaseLetterAfterTheAmpersand)
{
    HMENU popup = MakePopup({{21, "&Alpha"}, {22, "&beta"}, {0, nullptr}, {23, "&Gamma\tCtrl+G"},
                             {24, "Second &Gamma"}, {25, "全角(&Z)"}});
    TOwnerDrawMenu menu(popup);
    menu.Attach();
    const std::pair<char, UINT> rows[] = {{'a', 21}, {'g', 23}, {'G', 23}, {'z', 25}, {'b', 0}};
    for (const auto& row : rows) {
        // Escape follows the letter, so a letter that finds nothing ends with 0.
        bool posted = false;
        EXPECT_EQ(row.second, Track(popup, [&](size_t menus) {
                      if (menus == 1 && !posted) {
                          posted = PostMessageA(owner, WM_CHAR, static_cast<BYTE>(row.first), 0);
                          PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
                      }
                  })) << row.first;
    }
    // A NUL character would leave the bare '&' that every item holds.
    EXPECT_EQ(0, TOwnerDrawMenu::OnMenuChar(owner, WM_MENUCHAR, 0, popup));

    // Item data that is no living entry (deleted, or someone else's) goes to the system.
    auto* gone = new TMenuItem(1);
    const ULONG_PTR data = reinterpret_cast<ULONG_PTR>(gone);
    delete gone;
    for (ULONG_PTR foreign : {data, ULONG_PTR(0x12345678)}) {
        MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 1, 5, 5, foreign};
        EXPECT_EQ(0, TOwnerDrawMenu::OnMeasureItem(owner, 0, &measure));
        EXPECT_EQ(5u, measure.itemWidth);
        DRAWITEMSTRUCT draw = {ODT_MENU, 0, 1, ODA_DRAWENTIRE, 0, nullptr, nullptr, {0, 0, 9, 9}, foreign};
        EXPECT_EQ(0, TOwnerDrawMenu::OnDrawItem(owner, 0, &draw));
    }
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
    // Id, the entry's text ("-" for a separator entry) or the menu's, check and grey.
    auto describe = [&] {
        std::vector<std::string> items;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            char text[256] = "plain ";
            GetMenuStringA(popup, i, text + 6, sizeof text - 6, MF_BYPOSITION);
            const UINT state = GetSubMenu(popup, i) ? 0 : GetMenuState(popup, i, MF_BYPOSITION);
            TMenuEntry* entry = TMenuEntry::OwnerDrawnAt(popup, i);
            items.push_back(std::to_string(static_cast<int>(GetMenuItemID(popup, i))) + " " +
                            (dynamic_cast<TMenuSeparator*>(entry) ? "-" : entry ? ItemAt(popup, i)->Text.Get() : text) +
                            (state & MF_CHECKED ? " checked" : "") + (state & MF_GRAYED ? " grey" : ""));
        }
        return items;
    };
    const std::vector<std::string> plain = describe();
    const std::vector<std::string> drawnItems = {"31 &Checked checked", "32 &Grey grey", "0 - grey",
                                                 "33 Auto c&hecked\tF3 checked", "34 Auto g&rey grey",
                                                 "-1 plain &Sub"};
    // Two levels, as the tray menu is built: the menu bar of a menu resource
    // around the wrapper of its popup.
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "ﾄﾚｲｱｲｺﾝ");
    TOwnerDrawMenu menu(bar, {new TOwnerDrawMenu(popup, {new TMenuItem(31), new TMenuItem(32)})});
    menu.Attach();
    EXPECT_EQ(drawnItems, describe());
    menu.Attach();  // a second time: the drawn items keep the texts they captured
    EXPECT_EQ(drawnItems, describe());

    SetMenuFontHeight(-30);
    menu.Refresh();
    menu.EnsureMeasured();
    SetMenuFontHeight(0);
    EXPECT_EQ(drawnItems, describe());
    for (int position : {0, 1, 3, 4})
        EXPECT_EQ(35, ItemAt(popup, position)->IconBoxWidth) << position;
    // The automatic entries are made again and get the common width too.
    const TMenuItem* accelerated = ItemAt(popup, 3);
    EXPECT_GT(accelerated->AcceleratorX, accelerated->IconBoxWidth + 2 + accelerated->LabelWidth + MenuSpacingUnit);
    menu.Refresh();
    menu.EnsureMeasured();
    EXPECT_EQ(19, ItemAt(popup, 3)->IconBoxWidth);
    menu.MakeNormal(nullptr);
    EXPECT_EQ(plain, describe());
    DestroyMenu(bar);
}

TEST(OwnerDrawMenuDrawing, IconPlaceCheckFrameHighlightSeparatorAndWidthCap)
{
    const COLORREF ink = RGB(200, 30, 60), shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    TIconPairSource solid(SolidIcon(16, ink), SolidIcon(32, ink));
    TCanvas canvas(240, 80);
    const TGdiObject<HFONT> font(CreateSystemFont(MenuFont));
    const TSelection selected(canvas.Dc(), font.Get());
    // The entry drawn at (0, 10) across the canvas, through a draw-item record.
    auto draw = [&](TMenuItem& entry, UINT state) {
        canvas.Fill(RGB(0, 255, 0));
        entry.Draw({ODT_MENU, 0, 1, ODA_DRAWENTIRE, state, nullptr, canvas.Dc(), {0, 10, 240, 10 + entry.Height},
                    reinterpret_cast<ULONG_PTR>(&entry)});
        return canvas.Pixels();
    };
    const struct {
        const char* text;
        UINT state;
        COLORREF square;  // the colour the icon square is painted in; 0: an item without icon
    } rows[] = {{"&Open\tCtrl+O", 0, ink},          {"&Open\tCtrl+O", ODS_SELECTED, ink},
                {"&Open\tCtrl+O", ODS_CHECKED, ink}, {"&Open\tCtrl+O", ODS_GRAYED | ODS_SELECTED, shadow},
                {"Tall\nthree\nlines", 0, ink},     {"&Plain", ODS_CHECKED, 0}};
    std::vector<RECT> labels;
    for (const auto& row : rows) {
        TMenuItem item(1, row.square ? &solid : nullptr);
        item.Text.Set(row.text);
        item.SetWidth(item.Measure(TMenuMeasuringDc().Get()));
        const TPixels p = draw(item, row.state);
        const int size = item.IconSize ? 32 : 16, top = 10 + (item.Height - size) / 2;
        const RECT square = {1, top, 1 + size, top + size};
        if (row.square) {
            EXPECT_EQ(square, Bounds(p, {0, 10, item.IconBoxWidth, 10 + item.Height},
                                     [&](COLORREF c) { return c == row.square; })) << row.text << row.state;
        }
        const bool isSelected = row.state & ODS_SELECTED;
        EXPECT_EQ(isSelected, p.At(235, 10 + item.Height / 2) == GetSysColor(COLOR_HIGHLIGHT)) << row.state;
        if (row.state & ODS_CHECKED) {
            EXPECT_EQ(shadow, p.At(square.left - 1, square.top - 1));
            EXPECT_EQ(light, p.At(square.right, square.bottom));
            // Without an icon of its own the item shows the check icon in the frame.
            const RECT mark = Bounds(p, square, [&](COLORREF c) { return c != light; });
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
    const TPixels line = draw(separator, 0);
    EXPECT_EQ(shadow, line.At(120, 13));  // etched three pixels below the top
    EXPECT_EQ(light, line.At(120, 14));

    // A very long label is cut to a third of the screen; the widening by a
    // twentieth comes after the cap.
    const int third = GetSystemMetrics(SM_CXSCREEN) / 3;
    TMenuItem wide(1);
    wide.Text.Set(std::string(300, 'W').c_str());
    EXPECT_EQ(third, wide.Measure(TMenuMeasuringDc().Get()));
    wide.SetWidth(wide.Width);
    EXPECT_EQ(third + third / 20, wide.Width);
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
        auto* item = dynamic_cast<TMenuItem*>(row.Command ? menu.FindById(row.Command)
                                                          : TMenuEntry::OwnerDrawnAt(system, PositionPopupIndex(system)));
        ASSERT_TRUE(item) << row.IconName;
        EXPECT_EQ(ResourceIcon(row.IconName), item->Icon) << row.IconName;
        EXPECT_STRNE("", item->Text.Get()) << row.IconName;
    }
    // The extras still find their popup, which keeps no text now.
    EXPECT_EQ(PositionPopup(TWindow(owner)), GetSubMenu(system, PositionPopupIndex(system)));

    // The access key "P" reaches the drawn popup through WM_MENUCHAR.
    bool pictured = false;
    Track(nullptr, [&](size_t menus) {
        if (menus == 1 && ticks % 5 == 2)
            PostMessageA(owner, WM_CHAR, 'p', 0);
        if (menus == 2 && !pictured) {
            pictured = SaveScreenshot(CaptureScreen(AreaWithMenus(owner)), "owner_draw_system_menu.png");
            EndMenu();
        }
    });
    EXPECT_TRUE(pictured);
}
