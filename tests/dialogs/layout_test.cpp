// The arithmetic of shapes without windows: the docking layout, group sizes
// with gaps and captions, and the choice of access keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dialogs/access_keys.h"
#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/check_element.h"
#include "framework/dialogs/dock_layout.h"
#include "framework/dialogs/group_element.h"
#include "framework/dialogs/radio_element.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"
#include "tests/canvas.h"
#include "tests/dialogs/shape_fixture.h"

TEST(DockLayout, EveryDockAndAlign)
{
    struct {
        const char* what;
        int gap;
        std::vector<TDockItem> items;
        SIZE total;
        std::vector<POINT> positions;
    } const rows[] = {
        {"left, right (top-aligned) and fill", 0,
         {{DockLeft, AlignCentre, {10, 20}}, {DockRight, AlignTop, {30, 10}}, {DockFill, AlignCentre, {5, 5}}},
         {45, 20}, {{0, 0}, {15, 0}, {10, 7}}},
        {"a message: buttons below, text on top, check box right-aligned below it", 12,
         {{DockBottom, AlignCentre, {88, 21}}, {DockTop, AlignLeft, {100, 32}}, {DockBottom, AlignRight, {50, 18}}},
         {100, 95}, {{6, 74}, {0, 0}, {50, 44}}},
        {"bottom alignment, and centring that leaves an odd pixel", 0,
         {{DockLeft, AlignLeft, {10, 10}}, {DockFill, AlignBottom, {4, 4}}, {DockLeft, AlignCentre, {4, 4}}},
         {14, 10}, {{0, 0}, {10, 6}, {10, -2}}},
        {"a fill replaces what the later children summed; centring truncates toward zero", 0,
         {{DockFill, AlignCentre, {3, 3}}, {DockLeft, AlignCentre, {8, 3}}}, {3, 3}, {{0, 0}, {0, -1}}},
        {"an empty child takes no gap", 5,
         {{DockTop, AlignCentre, {0, 10}}, {DockTop, AlignCentre, {10, 10}}}, {10, 20}, {{7, 0}, {0, 10}}},
        {"dock and align out of range fill and centre", 0, {{9, 7, {4, 6}}}, {4, 6}, {{0, 0}}},
        {"nothing", 12, {}, {-12, -12}, {}},
    };
    for (const auto& row : rows) {
        const TDockLayout layout = DockLayout(row.items, row.gap, row.gap);
        EXPECT_EQ(row.total.cx, layout.Total.cx) << row.what;
        EXPECT_EQ(row.total.cy, layout.Total.cy) << row.what;
        ASSERT_EQ(row.positions.size(), layout.Positions.size()) << row.what;
        for (size_t i = 0; i < row.positions.size(); ++i) {
            EXPECT_EQ(row.positions[i].x, layout.Positions[i].x) << row.what << ", child " << i;
            EXPECT_EQ(row.positions[i].y, layout.Positions[i].y) << row.what << ", child " << i;
        }
    }
}

// A push button (the version dialog's OK) at the usual display scales, rounded as the system rounds.
TEST(DisplayScale, PushButtonAtEachScale)
{
    const struct {
        int dpi, width, height;
    } rows[] = {{96, 88, 21}, {120, 110, 26}, {144, 132, 32}, {168, 154, 37}, {192, 176, 42}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.width, ScaledLength(ButtonWidth, row.dpi)) << row.dpi;
        EXPECT_EQ(row.height, ScaledLength(ButtonHeight, row.dpi)) << row.dpi;
    }
}

TEST(GroupElement, SizesWithGapsCaptionsAndEmptyGroups)
{
    TCanvas canvas(1, 1);
    TShape shape(nullptr, nullptr);
    TBox box(20, 10), left(DockLeft, AlignCentre, 20, 10);
    TGroupElement empty(12, 12, nullptr);
    TGroupElement emptyInside(12, 12, &empty, nullptr);
    TGroupElement captioned("Box", &box, nullptr);
    TGroupElement row(DockLeft, AlignTop, 12, 12, &left, &left, nullptr);
    struct {
        TGroupElement* group;
        SIZE size;
        size_t captions;
    } const rows[] = {
        {&empty, {-12, -12}, 0},
        // An empty group's negative size makes a positive area: it gets the gaps back.
        {&emptyInside, {-12, -12}, 0},
        {&captioned, {20 + 36, 10 + 26}, 1},
        {&row, {52, 10}, 0},
    };
    for (const auto& r : rows) {
        shape.Captions.Clear();
        const SIZE size = r.group->Measure(shape, canvas.Dc());
        EXPECT_EQ(r.size.cx, size.cx);
        EXPECT_EQ(r.size.cy, size.cy);
        EXPECT_EQ(r.captions, shape.Captions.List.size());
    }
    EXPECT_EQ(DockLeft, row.Dock);
    EXPECT_EQ(AlignTop, row.Align);
    EXPECT_EQ(32, row.Positions[1].x);
}

TEST(CheckElement, SizeWithAnAttachedElementBesideOrBelow)
{
    TCanvas canvas(1, 1);
    TShape shape(nullptr, nullptr);
    TBox right(DockRight, AlignCentre, 40, 30), below(DockBottom, AlignCentre, 40, 30), wide(DockFill, AlignCentre, 120, 10);
    const struct {
        TElement* attached;
        SIZE size;
    } rows[] = {{nullptr, {100, 18}}, {&right, {146, 30}}, {&below, {100, 54}}, {&wide, {138, 34}}};
    for (const auto& row : rows) {
        TCheckElement check(DockTop, 100, "Check", false, row.attached);
        const SIZE size = check.Measure(shape, canvas.Dc());
        EXPECT_EQ(row.size.cx, size.cx);
        EXPECT_EQ(row.size.cy, size.cy);
    }
}

TEST(RadioGroup, ColumnsMakeRoomForTheirAttachedElements)
{
    TCanvas canvas(1, 1);
    TShape shape(nullptr, nullptr);
    TBox wide(100, 10), tall(20, 30);
    TRadioOption first(0, "A", &wide), second(1, "B"), third(2, "C", &tall);
    const struct {
        int columns;
        const char* caption;
        SIZE size;
        std::vector<int> columnExtra, rowExtra;
    } rows[] = {
        // The wide attached element widens its own column, not the next one's start only.
        {2, "", {2 * 50 + 6 + 68, 2 * 18 + 30}, {68, 0}, {30, 0}},
        {2, "Kind", {174 + 36, 66 + 26}, {68, 0}, {30, 0}},
        // No columns, or fewer than none, are one column.
        {0, "", {50 + 68, 3 * 18 + 40}, {68}, {10, 0, 30}},
        {-3, "", {50 + 68, 3 * 18 + 40}, {68}, {10, 0, 30}},
    };
    for (const auto& row : rows) {
        TRadioGroupElement radio(0, &first, &second, &third, nullptr);
        radio.AutoWidth = false;
        radio.ItemWidth = 50;
        radio.Columns = row.columns;
        radio.SetCaption(row.caption);
        const SIZE size = radio.Measure(shape, canvas.Dc());
        EXPECT_EQ(row.size.cx, size.cx) << row.columns;
        EXPECT_EQ(row.size.cy, size.cy) << row.columns;
        EXPECT_EQ(row.columnExtra, radio.ColumnExtra) << row.columns;
        EXPECT_EQ(row.rowExtra, radio.RowExtra) << row.columns;
    }
}

namespace {

std::vector<std::string> Assigned(const std::vector<std::string>& captions)
{
    std::vector<TText> texts;
    for (const std::string& caption : captions)
        texts.emplace_back(caption.c_str());
    TCaptions list;
    for (TText& text : texts)
        list.Register(text);
    AssignAccessKeys(list);
    EXPECT_TRUE(list.KeysAssigned);
    std::vector<std::string> result;
    for (const TText& text : texts)
        result.push_back(text.Get());
    return result;
}

}  // namespace

TEST(AccessKeys, LettersByPositionThenAnyFreeLetter)
{
    struct {
        std::vector<std::string> captions, expected;
    } rows[] = {
        {{"再開(&RETRY&)", "繰返(&REPEAT&)"}, {"再開(&R)", "繰返(&E)"}},
        // Plain captions and letters already written take no part and reserve nothing.
        {{"&OK", "Cancel(&C&)", "Copy(&C&)", "plain", "Odd &O&"}, {"&OK", "Cancel(&C)", "Copy(&A)", "plain", "Odd &O"}},
        {{"次回から表示しない(&WITHOUTSTEREOTYPEMESSAGE&)", "OK", "ｷｬﾝｾﾙ"}, {"次回から表示しない(&W)", "OK", "ｷｬﾝｾﾙ"}},
        // Candidates are characters: a double-byte one is taken whole.
        {{"設定(&設定&)", "設計(&設計&)"}, {"設定(&設)", "設計(&計)"}},
        {{"Empty(&&)", "No pair &X"}, {"Empty(&&)", "No pair &X"}},
    };
    for (auto& row : rows)
        EXPECT_EQ(row.expected, Assigned(row.captions));

    // Twenty-seven markers of "A": A, then B to Z, and the last loses its marker.
    for (const char* form : {"項目(&A&)", "Item &A& end"}) {
        const std::vector<std::string> result = Assigned(std::vector<std::string>(27, form));
        const std::string prefix = std::string(form).substr(0, std::string(form).find('&'));
        for (int i = 0; i < 26; ++i)
            EXPECT_EQ(std::string(form).replace(prefix.size(), 3, std::string("&") + char('A' + i)), result[i]);
        EXPECT_EQ(form[0] == 'I' ? "Item  end" : "項目", result[26]);
    }

    // A caption registered twice is one caption with one letter, rewritten once.
    TText twice("再開(&RETRY&)"), other("繰返(&REPEAT&)"), third("終了(&TEXT&)");
    TCaptions list;
    for (TText* caption : {&twice, &other, &twice, &third})
        list.Register(*caption);
    AssignAccessKeys(list);
    EXPECT_STREQ("再開(&R)", twice.Get());
    EXPECT_STREQ("繰返(&E)", other.Get());
    EXPECT_STREQ("終了(&T)", third.Get());
}

TEST(AccessKeys, MeasuredCaptions)
{
    const struct {
        const char* caption;
        const char* measured;
    } rows[] = {
        {"再開(&RETRY&)", "再開(W)"}, {"x&RE&y", "xWy"}, {"A(&&)B", "AB"},
        {"A&&B", "AB"},               {"&OK", "&OK"},   {"", ""},
    };
    for (const auto& row : rows) {
        TText measured;
        MeasureCaption(measured.Slot(), row.caption);
        EXPECT_STREQ(row.measured, measured.Get()) << row.caption;
    }
}
