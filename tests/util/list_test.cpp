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

// Checks every structural invariant and that the values read first to last
// are `expected`.
template <class List, class Value>
::testing::AssertionResult Matches(const List& list, const std::vector<Value>& expected)
{
    using Node = typename List::Node;
    const int count = list.Count();
    if (count != static_cast<int>(expected.size()))
        return ::testing::AssertionFailure() << "count " << count << ", expected " << expected.size();
    if (count == 0) {
        if (list.First() || list.Last())
            return ::testing::AssertionFailure() << "empty list with a first or last node";
        return ::testing::AssertionSuccess();
    }
    if (!list.First() || !list.Last() || list.First()->prev || list.Last()->next)
        return ::testing::AssertionFailure() << "ends not null-linked";
    int forward = 0;
    const Node* previous = nullptr;
    for (const Node* node = list.First(); node; node = node->next) {
        if (node->prev != previous)
            return ::testing::AssertionFailure() << "prev link broken at " << forward;
        if (forward >= count)
            return ::testing::AssertionFailure() << "more nodes than the count";
        if (!(Value(node->value) == expected[forward]))
            return ::testing::AssertionFailure() << "value differs at " << forward;
        previous = node;
        ++forward;
    }
    if (forward != count || previous != list.Last())
        return ::testing::AssertionFailure() << "forward walk gives " << forward << " nodes";
    int backward = 0;
    for (const Node* node = list.Last(); node; node = node->prev)
        ++backward;
    if (backward != count)
        return ::testing::AssertionFailure() << "backward walk gives " << backward << " nodes";
    return ::testing::AssertionSuccess();
}

using Texts = std::vector<std::string>;

TStringList ListOf(const Texts& texts)
{
    TStringList list;
    for (const std::string& text : texts)
        list.Add(text.c_str());
    return list;
}

} // namespace

TEST(ListBasics, AddCopiesTheTextAndLinksBothWays)
{
    TStringList list;
    EXPECT_TRUE(Matches(list, Texts{}));
    char buffer[] = "one";
    TStringList::Node* node = list.Add(buffer);
    buffer[0] = 'X'; // the list holds its own copy
    EXPECT_STREQ("one", node->value);
    list.Add("two");
    list.Add("");
    EXPECT_TRUE(Matches(list, Texts{"one", "two", ""}));
    EXPECT_STREQ("two", list.At(1));
    EXPECT_EQ(list.Last(), list.NodeAt(2));
    EXPECT_EQ(nullptr, list.NodeAt(3));
    EXPECT_EQ(nullptr, list.NodeAt(-1));
}

TEST(ListBasics, InsertAtEndsKeepsFirstAndLast)
{
    {
        TStringList list;
        list.Insert(-1, "a");
        list.Add("b");
        EXPECT_TRUE(Matches(list, Texts{"a", "b"}));
    }
    {
        TStringList list;
        list.Insert(0, "a");
        list.Add("b");
        EXPECT_TRUE(Matches(list, Texts{"a", "b"}));
    }
    {
        TStringList list = ListOf({"a", "b"});
        list.Insert(list.Count(), "c");
        list.Add("d");
        EXPECT_TRUE(Matches(list, Texts{"a", "b", "c", "d"}));
        list.Insert(-5, "first"); // any index below 1 other than -1 puts it first
        list.Insert(2, "mid");
        EXPECT_TRUE(Matches(list, Texts{"first", "a", "mid", "b", "c", "d"}));
        list.Insert(1, "second");
        EXPECT_TRUE(Matches(list, Texts{"first", "second", "a", "mid", "b", "c", "d"}));
        // Past the end there is no node to follow: the text is appended.
        list.Insert(99, "z");
        EXPECT_TRUE(Matches(list, Texts{"first", "second", "a", "mid", "b", "c", "d", "z"}));
    }
}

TEST(ListBasics, DeleteRangeJoinsNeighboursAndResetsEnds)
{
    TStringList list = ListOf({"a", "b", "c", "d", "e"});
    TStringList::Node* after = list.DeleteRange(1, 2);
    ASSERT_NE(nullptr, after);
    EXPECT_STREQ("d", after->value);
    EXPECT_TRUE(Matches(list, Texts{"a", "d", "e"}));
    EXPECT_EQ(nullptr, list.Delete(2)); // the last node: nothing follows
    EXPECT_TRUE(Matches(list, Texts{"a", "d"}));
    after = list.Delete(0);
    EXPECT_EQ(list.First(), after);
    EXPECT_TRUE(Matches(list, Texts{"d"}));

    // Ranges outside the list remove nothing.
    EXPECT_EQ(nullptr, list.DeleteRange(1, 1));
    EXPECT_EQ(nullptr, list.DeleteRange(-1, 0));
    EXPECT_EQ(nullptr, list.DeleteRange(0, -1));
    EXPECT_TRUE(Matches(list, Texts{"d"}));

    TStringList all = ListOf({"a", "b", "c"});
    all.DeleteRange(0, all.Count() - 1);
    EXPECT_TRUE(Matches(all, Texts{}));
    all.Add("again");
    EXPECT_TRUE(Matches(all, Texts{"again"}));
}

TEST(ListBasics, CopyAndAddList)
{
    TStringList a = ListOf({"x", "y"});
    TStringList b = ListOf({"old"});
    b = a;
    EXPECT_TRUE(Matches(b, Texts{"x", "y"}));
    EXPECT_NE(a.First()->value, b.First()->value); // texts are copied, not shared
    b.AddList(b); // adding a list to itself doubles it once
    EXPECT_TRUE(Matches(b, Texts{"x", "y", "x", "y"}));
    TStringList c(b);
    EXPECT_TRUE(Matches(c, Texts{"x", "y", "x", "y"}));
    TStringList moved(std::move(c));
    EXPECT_TRUE(Matches(moved, Texts{"x", "y", "x", "y"}));
    EXPECT_TRUE(Matches(c, Texts{}));

    const char* items[] = {"p", "q", "r"};
    TStringList fromArray;
    fromArray.AddArray(2, items);
    EXPECT_TRUE(Matches(fromArray, Texts{"p", "q"}));
}

TEST(ListSearch, IndexOfComparesWholeTexts)
{
    TStringList empty;
    EXPECT_EQ(-1, empty.IndexOf("a"));

    TStringList list = ListOf({"ab", "a", "\x82\xA0", "a", ""});
    EXPECT_EQ(1, list.IndexOf("a"));
    EXPECT_EQ(0, list.IndexOf("ab"));
    EXPECT_EQ(2, list.IndexOf("\x82\xA0"));
    EXPECT_EQ(4, list.IndexOf(""));
    EXPECT_EQ(-1, list.IndexOf("A"));
    EXPECT_EQ(-1, list.IndexOf("abc"));
    EXPECT_EQ(3, list.IndexOfRange(2, 4, "a"));
    EXPECT_EQ(-1, list.IndexOfRange(2, 2, "a"));
    EXPECT_EQ(-1, list.IndexOfRange(3, 9, "ab"));
}

TEST(ListSearch, WindowListFindsHandles)
{
    TWindowList windows;
    const HWND desktop = GetDesktopWindow();
    EXPECT_EQ(nullptr, windows.Find(desktop));
    EXPECT_EQ(-1, windows.IndexOf(desktop));
    windows.Add(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)));
    TWindowList::Node* node = windows.Add(desktop);
    EXPECT_EQ(node, windows.Find(desktop));
    EXPECT_EQ(1, windows.IndexOf(desktop));
    EXPECT_EQ(nullptr, windows.Find(nullptr));

    TPairList pairs;
    pairs.Add(TPair{1, 2});
    pairs.Add(TPair{3, 0xFFFFFFFFu});
    pairs.At(0).Second = 7;
    EXPECT_EQ(7u, pairs.At(0).Second);
    EXPECT_EQ(0xFFFFFFFFu, pairs.Last()->value.Second);
    EXPECT_EQ(2, pairs.Count());
}

TEST(ListMoveBlock, MovesAndNoOps)
{
    TStringList list = ListOf({"a", "b", "c", "d"});
    list.MoveBlock(2, 0, 2); // the target stands right after the block
    EXPECT_TRUE(Matches(list, Texts{"a", "b", "c", "d"}));
    list.MoveBlock(1, 0, 2); // the target lies within the block
    list.MoveBlock(0, 0, 2);
    list.MoveBlock(0, 1, 0);
    list.MoveBlock(0, 1, -1);
    list.MoveBlock(-1, 0, 4); // n not less than the count
    list.MoveBlock(0, 3, 2);  // block runs past the end
    list.MoveBlock(0, -1, 1);
    EXPECT_TRUE(Matches(list, Texts{"a", "b", "c", "d"}));

    TStringList three = ListOf({"a", "b", "c"});
    three.MoveBlock(-1, 0, 1);
    EXPECT_TRUE(Matches(three, Texts{"b", "c", "a"}));

    list.MoveBlock(0, 2, 2); // the last two to the front
    EXPECT_TRUE(Matches(list, Texts{"c", "d", "a", "b"}));
    list.MoveBlock(3, 0, 1); // forwards, before "b"
    EXPECT_TRUE(Matches(list, Texts{"d", "a", "c", "b"}));
    list.MoveBlock(-1, 1, 2); // the middle to the end
    EXPECT_TRUE(Matches(list, Texts{"d", "b", "a", "c"}));
    list.MoveBlock(1, 3, 1); // the last into the middle
    EXPECT_TRUE(Matches(list, Texts{"d", "c", "b", "a"}));
}

TEST(ListSort, AscendingDescendingAndByteOrder)
{
    TStringList list = ListOf({"b", "a", "c"});
    list.Sort(true);
    EXPECT_TRUE(Matches(list, Texts{"a", "b", "c"}));
    list.Sort(false);
    EXPECT_TRUE(Matches(list, Texts{"c", "b", "a"}));

    // Upper case before lower case; double-byte texts by their unsigned bytes.
    TStringList mixed = ListOf({"b", "\x82\xA0", "B", "a", "\x81\x40", "A", "", "z"});
    mixed.Sort(true);
    EXPECT_TRUE(Matches(mixed, Texts{"", "A", "B", "a", "b", "z", "\x81\x40", "\x82\xA0"}));

    TStringList single = ListOf({"only"});
    single.Sort(true);
    EXPECT_TRUE(Matches(single, Texts{"only"}));
    TStringList none;
    none.Sort(false);
    EXPECT_TRUE(Matches(none, Texts{}));

    // Runs in order are moved whole; duplicates stay together.
    TStringList runs = ListOf({"d", "e", "f", "a", "b", "c", "a", "e", "b"});
    runs.Sort(true);
    EXPECT_TRUE(Matches(runs, Texts{"a", "a", "b", "b", "c", "d", "e", "e", "f"}));
    runs.Sort(false);
    EXPECT_TRUE(Matches(runs, Texts{"f", "e", "e", "d", "c", "b", "b", "a", "a"}));
}

TEST(ListSort, RandomTextsMatchTheStandardOrder)
{
    std::mt19937 random(7331);
    for (int round = 0; round < 40; ++round) {
        const int n = static_cast<int>(random() % 60);
        Texts texts;
        for (int i = 0; i < n; ++i) {
            std::string text;
            const int length = static_cast<int>(random() % 4);
            for (int c = 0; c < length; ++c)
                text += static_cast<char>("aAb\x82\xA0z"[random() % 6]);
            texts.push_back(text);
        }
        const bool ascending = (round % 2) == 0;
        TStringList list = ListOf(texts);
        list.Sort(ascending);
        std::sort(texts.begin(), texts.end(), [ascending](const std::string& x, const std::string& y) {
            const int compared = std::strcmp(x.c_str(), y.c_str());
            return ascending ? compared < 0 : compared > 0;
        });
        ASSERT_TRUE(Matches(list, texts)) << "round " << round;
    }
}

// Long random sequences of Insert, DeleteRange and MoveBlock against a vector
// that does the same by the plain rules.
TEST(ListRandomized, InvariantsHoldAgainstAReferenceModel)
{
    std::mt19937 random(20261207);
    TStringList list;
    Texts model;
    int serial = 0;
    for (int step = 0; step < 20000; ++step) {
        const int count = static_cast<int>(model.size());
        const int action = static_cast<int>(random() % 10);
        if (action < 4 || count == 0) {
            // Insert: -1 appends, below 1 goes first, else after index - 1.
            const int index = static_cast<int>(random() % (count + 3)) - 2;
            const std::string text = "t" + std::to_string(serial++);
            list.Insert(index, text.c_str());
            if (index == -1)
                model.push_back(text);
            else if (index < 1)
                model.insert(model.begin(), text);
            else
                model.insert(model.begin() + index, text);
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
            const int target = static_cast<int>(random() % (count + 1)) - 1;
            list.MoveBlock(target, from, n);
            const bool nothing = n <= 0 || n >= count || (from <= target && target <= from + n);
            if (!nothing) {
                Texts block(model.begin() + from, model.begin() + from + n);
                model.erase(model.begin() + from, model.begin() + from + n);
                const int at = target < 0 ? static_cast<int>(model.size()) : (target < from ? target : target - n);
                model.insert(model.begin() + at, block.begin(), block.end());
            }
        }
        ASSERT_TRUE(Matches(list, model)) << "step " << step;
    }
    // The structure also survives a sort and a full clear.
    list.Sort(true);
    std::sort(model.begin(), model.end());
    ASSERT_TRUE(Matches(list, model));
    list.Clear();
    EXPECT_TRUE(Matches(list, Texts{}));
}

TEST(ListRandomized, PlainValuesFollowTheSameRules)
{
    std::mt19937 random(99);
    TList<int> list;
    std::vector<int> model;
    for (int step = 0; step < 5000; ++step) {
        const int count = static_cast<int>(model.size());
        if (count == 0 || random() % 3 != 0) {
            const int index = static_cast<int>(random() % (count + 1));
            list.Insert(index, step);
            model.insert(model.begin() + index, step);
        } else {
            const int from = static_cast<int>(random() % count);
            list.Delete(from);
            model.erase(model.begin() + from);
        }
        ASSERT_TRUE(Matches(list, model)) << "step " << step;
    }
    ASSERT_FALSE(model.empty());
    const int expected = static_cast<int>(std::find(model.begin(), model.end(), model.back()) - model.begin());
    EXPECT_EQ(expected, list.IndexOf(model.back()));
}
