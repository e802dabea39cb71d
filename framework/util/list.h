// TList: the framework's one doubly linked list, with access by zero-based
// position. Every access by position walks from the first node, so it costs
// linear time; code that visits every node walks First()/next instead.
//
// Positions and counts are the caller's to get right (check Count() first); a
// position outside the list is ignored where the operation can do so (NodeAt
// gives null, DeleteRange and MoveBlock do nothing) rather than followed.
//
// A node that cannot be allocated is not added: Add and Insert give null, and
// a caller whose list owns what it adds keeps (and frees) what was not taken.
#pragma once

#include <windows.h>

#include <cstring>
#include <new>

#include "framework/util/text.h"

template <class T>
struct TListNode {
    TListNode* prev; // null at the first node
    TListNode* next; // null at the last node
    T value;
};

// How a list copies, frees and compares its values. Plain values are copied
// and compared as they are.
template <class T>
struct TListTraits {
    using Arg = const T&;
    static T Copy(const T& value) { return value; }
    static void Free(T&) {}
    static bool Equal(const T& a, const T& b) { return a == b; }
};

// A text list's nodes own copies of the texts that were added.
struct TTextListTraits {
    using Arg = const char*;
    static char* Copy(const char* value) { return NewText(value); }
    static void Free(char*& value) { FreeText(value); }
    static bool Equal(const char* a, const char* b) { return std::strcmp(a ? a : "", b ? b : "") == 0; }
};

template <class T, class Traits = TListTraits<T>>
class TList {
public:
    using Node = TListNode<T>;
    using Arg = typename Traits::Arg;

    // Constant: a list at namespace scope needs no start-up code.
    constexpr TList() : count_(0), first_(nullptr), last_(nullptr) {}
    TList(const TList& other) : TList() { AddList(other); }
    TList(TList&& other) noexcept : count_(other.count_), first_(other.first_), last_(other.last_)
    {
        other.count_ = 0;
        other.first_ = other.last_ = nullptr;
    }
    TList& operator=(const TList& other)
    {
        if (this != &other) {
            Clear();
            AddList(other);
        }
        return *this;
    }
    TList& operator=(TList&& other) noexcept
    {
        if (this != &other) {
            Clear();
            count_ = other.count_;
            first_ = other.first_;
            last_ = other.last_;
            other.count_ = 0;
            other.first_ = other.last_ = nullptr;
        }
        return *this;
    }
    ~TList() { Clear(); }

    int Count() const { return count_; }
    Node* First() const { return first_; }
    Node* Last() const { return last_; }

    // Appends a copy of `value` and returns its node; null without memory.
    Node* Add(Arg value)
    {
        Node* node = new (std::nothrow) Node{last_, nullptr, Traits::Copy(value)};
        if (!node)
            return nullptr;
        if (last_)
            last_->next = node;
        else
            first_ = node;
        last_ = node;
        ++count_;
        return node;
    }

    void AddList(const TList& other)
    {
        // Counted, so that adding a list to itself ends.
        Node* node = other.first_;
        for (int remaining = other.count_; remaining > 0 && node; --remaining, node = node->next)
            Add(node->value);
    }

    // -1 appends; any other index below 1 puts the new node first; otherwise
    // the node goes after the node at index - 1 (at the end when there is none).
    Node* Insert(int index, Arg value)
    {
        if (index == -1)
            return Add(value);
        Node* before = index < 1 ? nullptr : NodeAt(index - 1);
        if (index >= 1 && !before)
            return Add(value);
        Node* after = before ? before->next : first_;
        Node* node = new (std::nothrow) Node{before, after, Traits::Copy(value)};
        if (!node)
            return nullptr;
        if (before)
            before->next = node;
        else
            first_ = node;
        if (after)
            after->prev = node;
        else
            last_ = node;
        ++count_;
        return node;
    }

    Node* Delete(int index) { return DeleteRange(index, index); }

    // Removes positions from..to inclusive and returns the node that followed
    // them (null if none). A range outside the list removes nothing.
    Node* DeleteRange(int from, int to)
    {
        if (from < 0 || from > to || to >= count_)
            return nullptr;
        Node* node = NodeAt(from);
        Node* before = node->prev;
        for (int i = from; i <= to; ++i) {
            Node* next = node->next;
            Traits::Free(node->value);
            delete node;
            --count_;
            node = next;
        }
        Node* after = node;
        if (before)
            before->next = after;
        else
            first_ = after;
        if (after)
            after->prev = before;
        else
            last_ = before;
        return after;
    }

    void Clear()
    {
        if (count_ > 0)
            DeleteRange(0, count_ - 1);
    }

    // Moves the n nodes from position `from` to stand before the node now at
    // `target`; a negative target (or one past the list) moves them to the end.
    // Nothing happens when the target lies within the block or right after it,
    // when n is 0 or less, when n is not less than the count, or when the block
    // does not lie within the list.
    void MoveBlock(int target, int from, int n)
    {
        if (n <= 0 || n >= count_ || from < 0 || from > count_ - n)
            return;
        if (from <= target && target <= from + n)
            return;
        Node* blockFirst = NodeAt(from);
        Node* blockLast = blockFirst;
        for (int i = 1; i < n; ++i)
            blockLast = blockLast->next;
        Node* before = (target < 0 || target >= count_) ? nullptr : NodeAt(target);
        MoveNodes(blockFirst, blockLast, before);
    }

    int IndexOf(Arg value) const
    {
        if (count_ <= 0)
            return -1;
        return IndexOfRange(0, count_ - 1, value);
    }

    int IndexOfRange(int from, int to, Arg value) const
    {
        if (from < 0)
            from = 0;
        Node* node = NodeAt(from);
        for (int i = from; node && i <= to; ++i, node = node->next) {
            if (Traits::Equal(node->value, value))
                return i;
        }
        return -1;
    }

    // The first node whose value equals `value`, or null.
    Node* Find(Arg value) const
    {
        for (Node* node = first_; node; node = node->next) {
            if (Traits::Equal(node->value, value))
                return node;
        }
        return nullptr;
    }

    // The value at a position within the list (0 <= index < Count()).
    T& At(int index) { return NodeAt(index)->value; }
    const T& At(int index) const { return NodeAt(index)->value; }

    // The node at `index`, or null when the index lies outside the list.
    Node* NodeAt(int index) const
    {
        if (index < 0 || index >= count_)
            return nullptr;
        Node* node = first_;
        for (int i = 0; i < index; ++i)
            node = node->next;
        return node;
    }

protected:
    // Unlinks blockFirst..blockLast and links them in again before `before`
    // (at the end when it is null); `before` is not part of the block.
    void MoveNodes(Node* blockFirst, Node* blockLast, Node* before)
    {
        Node* outerPrev = blockFirst->prev;
        Node* outerNext = blockLast->next;
        if (outerPrev)
            outerPrev->next = outerNext;
        else
            first_ = outerNext;
        if (outerNext)
            outerNext->prev = outerPrev;
        else
            last_ = outerPrev;

        Node* after = before;
        Node* prev = after ? after->prev : last_;
        blockFirst->prev = prev;
        blockLast->next = after;
        if (prev)
            prev->next = blockFirst;
        else
            first_ = blockFirst;
        if (after)
            after->prev = blockLast;
        else
            last_ = blockLast;
    }

private:
    int count_;
    Node* first_;
    Node* last_;
};

// A list of owned texts; each node holds a copy of the text that was added.
class TStringList : public TList<char*, TTextListTraits> {
public:
    using TList::TList;

    // Adds each of the `count` texts of a counted array, in order.
    void AddArray(int count, const char* const* items)
    {
        for (int i = 0; i < count && items; ++i)
            Add(items[i]);
    }

    // Sorts by unsigned byte order (not a locale order): runs that are already
    // in order are moved as one block to their insertion position.
    void Sort(bool ascending)
    {
        const int n = Count();
        if (n < 2)
            return;
        auto inOrder = [ascending](const char* earlier, const char* later) {
            const int compared = std::strcmp(earlier, later);
            return ascending ? compared <= 0 : compared >= 0;
        };
        Node* atJ = First();
        int j = 0;
        while (j < n - 1) {
            Node* atJ1 = atJ->next;
            if (inOrder(atJ->value, atJ1->value)) {
                atJ = atJ1;
                ++j;
                continue;
            }
            Node* atA = atJ;
            for (int a = j; a - 1 >= 0 && !inOrder(atA->prev->value, atJ1->value); --a)
                atA = atA->prev;
            Node* atK = atJ1;
            int k = j + 1;
            while (k < n - 1 && inOrder(atK->value, atK->next->value) && inOrder(atK->next->value, atA->value)) {
                atK = atK->next;
                ++k;
            }
            // The same move as MoveBlock(a, j + 1, k - j), with the nodes in hand.
            MoveNodes(atJ1, atK, atA);
            // The node that was at j now stands at k.
            j = k;
        }
    }
};

class TWindowList : public TList<HWND> {
public:
    using TList::TList;
};

// Two 32-bit words carried together, copied by value.
struct TPair {
    DWORD First;
    DWORD Second;
};

class TPairList : public TList<TPair> {
public:
    using TList::TList;
};
