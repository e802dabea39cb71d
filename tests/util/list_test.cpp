// TList and its instances: links, positions, block moves, the run-moving sort,
// and long random sequences of edits checked against a plain vector.
#include "framework/util/list.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

// Checks count, both ends and the links both ways, and that the texts read
// first to last are `expected`.
::testing::AssertionResult Matches(const TStringList& list, const Texts& expected)
{
    using Node = TStringList::Node;
    const int count = list.Count();
    if (count != static_cast<int>(expected.size()))
        return ::testing::AssertionFailure() << "count " << count << ", expected " << expected.size();
    if (count == 0 && (list.First() || list.Last()))
        return ::testing::AssertionFailure() << "empty list with a first or last node";
    if (count > 0 && (!list.First() || !list.Last() || list.First()->prev || list.Last()->next))
        return ::testing::AssertionFailure() << "ends not null-linked";
    int forward = 0;
    const Node* previous = nullptr;
    for (const Node* node = list.First(); node; previous = node, node = node->next, ++forward) {
        if (node->prev != previous || forward >= count || expected[forward] != node->value)
            return ::testing::AssertionFailure() << "link or value wrong at " << forward;
    }
    int backward = 0;
    for (const Node* node = list.Last(); node; node = node->prev)
        ++backward;
    if (forward != count || backward != count || previous != list.Last())
        return ::testing::AssertionFailure() << "walks give " << forward << " and " << backward << " nodes";
    return ::testing::AssertionSuccess();
}

TStringList ListOf(const Texts& texts)
{
    TStringList list;
    for (const std::string& text : texts)
        list.Add(text.c_str());
    return list;
}

} // namespace

TEST(ListBasics, InsertAtEndsKeepsFirstAndLast)
{
    TStringList fromMinusOne;
    fromMinusOne.Insert(-1, "a");
    fromMinusOne.Add("b");
    EXPECT_TRUE(Matches(fromMinusOne, Texts{"a", "b"}));
    TStringList fromZero;
    fromZero.Insert(0, "a");
    fromZero.Add("b");
    EXPECT_TRUE(Matches(fromZero, Texts{"a", "b"}));

    char buffer[] = "a";
    TStringList list;
    list.Add(buffer);
    buffer[0] = 'X'; // the list holds its own copy
    list.Insert(list.Count(), "c");
    list.Add("d");
    list.Insert(-5, "first"); // any index below 1 other than -1 puts it first
    list.Insert(2, "mid");
    list.Insert(99, "z"); // no node at 98 to follow: appended
    EXPECT_TRUE(Matches(list, Texts{"first", "a", "mid", "c", "d", "z"}));
    EXPECT_STREQ("mid", list.At(2));
    EXPECT_EQ(nullptr, list.NodeAt(6));
    EXPECT_EQ(nullptr, list.NodeAt(-1));
}

TEST(ListBasics, DeleteRangeJoinsNeighboursAndResetsEnds)
{
    TStringList list = ListOf({"a", "b", "c", "d", "e"});
    TStringList::Node* after = list.DeleteRange(1, 2);
    ASSERT_NE(nullptr, after);
    EXPECT_STREQ("d", after->value);
    EXPECT_EQ(nullptr, list.Delete(2)); // nothing follows the last node
    EXPECT_EQ(list.First(), list.Delete(0));
    EXPECT_TRUE(Matches(list, Texts{"d"}));
    // Ranges outside the list remove nothing.
    EXPECT_EQ(nullptr, list.DeleteRange(1, 1));
    EXPECT_EQ(nullptr, list.DeleteRange(-1, 0));
    EXPECT_EQ(nullptr, list.DeleteRange(0, -1));
    EXPECT_TRUE(Matches(list, Texts{"d"}));
    list.DeleteRange(0, list.Count() - 1);
    EXPECT_TRUE(Matches(list, Texts{}));
    list.Add("again");
    EXPECT_TRUE(Matches(list, Texts{"again"}));
}

TEST(ListBasics, CopiesOwnTheirTexts)
{
    TStringList a = ListOf({"x", "y"});
    TStringList b = ListOf({"old"});
    b = a;
    EXPECT_NE(a.First()->value, b.First()->value);
    b.AddList(b); // adding a list to itself doubles it once
    TStringList moved(std::move(b));
    EXPECT_TRUE(Matches(moved, Texts{"x", "y", "x", "y"}));
    EXPECT_TRUE(Matches(b, Texts{}));
    const char* items[] = {"p", "q", "r"};
    a.AddArray(2, items);
    EXPECT_TRUE(Matches(a, Texts{"x", "y", "p", "q"}));
}

TEST(ListSearch, IndexOfComparesWholeTextsAndHandles)
{
    TStringList empty;
    EXPECT_EQ(-1, empty.IndexOf("a"));
    TStringList list = ListOf({"ab", "a", "\x82\xA0", "a", ""});
    EXPECT_EQ(1, list.IndexOf("a"));
    EXPECT_EQ(2, list.IndexOf("\x82\xA0"));
    EXPECT_EQ(4, list.IndexOf(""));
    EXPECT_EQ(-1, list.IndexOf("A"));
    EXPECT_EQ(3, list.IndexOfRange(2, 4, "a"));
    EXPECT_EQ(-1, list.IndexOfRange(3, 9, "ab"));

    TWindowList windows;
    const HWND desktop = GetDesktopWindow();
    EXPECT_EQ(nullptr, windows.Find(desktop));
    windows.Add(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)));
    TWindowList::Node* node = windows.Add(desktop);
    EXPECT_EQ(node, windows.Find(desktop));
    EXPECT_EQ(1, windows.IndexOf(desktop));
    TPairList pairs;
    pairs.Add(TPair{1, 2});
    pairs.At(0).Second = 0xFFFFFFFFu;
    EXPECT_EQ(0xFFFFFFFFu, pairs.First()->value.Second);
}

TEST(ListMoveBlock, MovesAndNoOps)
{
    TStringList list = ListOf({"a", "b", "c", "d"});
    list.MoveBlock(2, 0, 2);  // the target stands right after the block
    list.MoveBlock(1, 0, 2);  // the target lies within the block
    list.MoveBlock(0, 1, 0);  // nothing to move
    list.MoveBlock(-1, 0, 4); // n not less than the count
    list.MoveBlock(0, 3, 2);  // the block runs past the end
    EXPECT_TRUE(Matches(list, Texts{"a", "b", "c", "d"}));
    list.MoveBlock(0, 2, 2);
    EXPECT_TRUE(Matches(list, Texts{"c", "d", "a", "b"}));
    list.MoveBlock(3, 0, 1);
    EXPECT_TRUE(Matches(list, Texts{"d", "a", "c", "b"}));
    list.MoveBlock(-1, 1, 2);
    EXPECT_TRUE(Matches(list, Texts{"d", "b", "a", "c"}));

    TStringList three = ListOf({"a", "b", "c"});
    three.MoveBlock(-1, 0, 1);
    EXPECT_TRUE(Matches(three, Texts{"b", "c", "a"}));
}

TEST(ListSort, OrdersByUnsignedBytes)
{
    TStringList list = ListOf({"b", "a", "c"});
    list.Sort(true);
    EXPECT_TRUE(Matches(list, Texts{"a", "b", "c"}));
    list.Sort(false);
    EXPECT_TRUE(Matches(list, Texts{"c", "b", "a"}));
    TStringList mixed = ListOf({"b", "\x82\xA0", "B", "a", "\x81\x40", "A", "", "z"});
    mixed.Sort(true);
    EXPECT_TRUE(Matches(mixed, Texts{"", "A", "B", "a", "b", "z", "\x81\x40", "\x82\xA0"}));
    TStringList runs = ListOf({"d", "e", "f", "a", "b", "c", "a", "e", "b"});
    runs.Sort(false);
    EXPECT_TRUE(Matches(runs, Texts{"f", "e", "e", "d", "c", "b", "b", "a", "a"}));

    // Random lists, with duplicates and double-byte texts, in both directions.
    std::mt19937 random(7331);
    for (int round = 0; round < 40; ++round) {
        Texts texts(random() % 60);
        for (std::string& text : texts) {
            for (int c = static_cast<int>(random() % 4); c > 0; --c)
                text += "aAb\x82\xA0z"[random() % 6];
        }
        const bool ascending = (round % 2) == 0;
        TStringList sorted = ListOf(texts);
        sorted.Sort(ascending);
        std::sort(texts.begin(), texts.end(), [ascending](const std::string& x, const std::string& y) {
            return ascending ? std::strcmp(x.c_str(), y.c_str()) < 0 : std::strcmp(x.c_str(), y.c_str()) > 0;
        });
        ASSERT_TRUE(Matches(sorted, texts)) << "round " << round;
    }
}

// Long random sequences of Insert, DeleteRange and MoveBlock against a vector
// that does the same by the plain rules.
TEST(ListRandomized, InvariantsHoldAgainstAReferenceModel)
{
    std::mt19937 random(20261207);
    TStringList list;
    Texts model;
    for (int step = 0; step < 20000; ++step) {
        const int count = static_cast<int>(model.size());
        const int action = static_cast<int>(random() % 10);
        if (action < 4 || count == 0) {
            const int index = static_cast<int>(random() % (count + 3)) - 2; // -2 .. count
            const std::string text = "t" + std::to_string(step);
            list.Insert(index, text.c_str());
            model.insert(index == -1 ? model.end() : model.begin() + std::max(index, 0), text);
        } else if (action < 6) {
            const int from = static_cast<int>(random() % count);
            const int to = from + static_cast<int>(random() % std::min(3, count - from));
            TStringList::Node* after = list.DeleteRange(from, to);
            model.erase(model.begin() + from, model.begin() + to + 1);
            if (from < static_cast<int>(model.size()))
                ASSERT_TRUE(after && model[from] == after->value) << "step " << step;
            else
                ASSERT_EQ(nullptr, after) << "step " << step;
        } else {
            const int from = static_cast<int>(random() % count);
            const int n = static_cast<int>(random() % (count - from + 1)) - (random() % 8 == 0 ? 1 : 0);
            const int target = static_cast<int>(random() % (count + 1)) - 1; // -1 .. count - 1
            list.MoveBlock(target, from, n);
            if (n > 0 && n < count && !(from <= target && target <= from + n)) {
                Texts block(model.begin() + from, model.begin() + from + n);
                model.erase(model.begin() + from, model.begin() + from + n);
                const int at = target < 0 ? static_cast<int>(model.size()) : (target < from ? target : target - n);
                model.insert(model.begin() + at, block.begin(), block.end());
            }
        }
        ASSERT_TRUE(Matches(list, model)) << "step " << step;
    }
    list.Sort(true);
    std::sort(model.begin(), model.end());
    ASSERT_TRUE(Matches(list, model));
    list.Clear();
    EXPECT_TRUE(Matches(list, Texts{}));
}
