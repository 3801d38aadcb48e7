#include "framework/core/TList.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace vexo;

namespace {

// The list stores pointers; small integers cast to pointers make the contents easy to read.
void* p(std::intptr_t v) {
    return reinterpret_cast<void*>(v);
}
std::intptr_t v(void* ptr) {
    return reinterpret_cast<std::intptr_t>(ptr);
}

std::vector<std::intptr_t> contents(const TList& list) {
    std::vector<std::intptr_t> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(v(list.Get(i)));
    return out;
}

void fill(TList& list, std::initializer_list<std::intptr_t> values) {
    for (auto x : values)
        list.Add(p(x));
}

} // namespace

TEST(TListTest, EditsKeepOrder) {
    TList list;
    fill(list, {1, 2, 3});
    list.Insert(0, p(0));
    list.Insert(4, p(4));
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{0, 1, 2, 3, 4}));
    list.Delete(2);
    list.Exchange(0, 3);
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{4, 1, 3, 0}));
    list.Move(0, 3);
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{1, 3, 0, 4}));
    list.Move(3, 0);
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{4, 1, 3, 0}));
    EXPECT_EQ(list.Remove(p(3)), 2);
    EXPECT_EQ(list.Remove(p(99)), -1);
    EXPECT_EQ(list.IndexOf(p(0)), 2);
    list.Put(0, p(7));
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{7, 1, 0}));
}

TEST(TListTest, BadIndexRaisesAndLeavesListUnchanged) {
    const std::vector<std::pair<const char*, std::function<void(TList&)>>> cases = {
        {"Get -1", [](TList& l) { l.Get(-1); }},
        {"Get Count", [](TList& l) { l.Get(3); }},
        {"Put Count", [](TList& l) { l.Put(3, p(9)); }},
        {"Insert Count+1", [](TList& l) { l.Insert(4, p(9)); }},
        {"Insert -1", [](TList& l) { l.Insert(-1, p(9)); }},
        {"Delete Count", [](TList& l) { l.Delete(3); }},
        {"Exchange second bad", [](TList& l) { l.Exchange(0, 5); }},
        {"Exchange first bad", [](TList& l) { l.Exchange(-2, 0); }},
        {"Move to Count", [](TList& l) { l.Move(0, 3); }},
        {"Move from -1", [](TList& l) { l.Move(-1, 0); }},
        {"Capacity below Count", [](TList& l) { l.SetCapacity(2); }},
    };
    for (const auto& [name, op] : cases) {
        TList list;
        fill(list, {1, 2, 3});
        EXPECT_THROW(op(list), EListError) << name;
        EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{1, 2, 3})) << name;
    }
    TList list;
    try {
        list.Get(5);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "Índice de lista fuera de rango (5)");
    }
}

TEST(TListTest, CapacityGrowsAndShrinksWithoutLosingItems) {
    TList list;
    fill(list, {1, 2});
    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    list.SetCapacity(2);
    EXPECT_EQ(list.Capacity(), 2);
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{1, 2}));
}

// Past a few hundred kilobytes the list lives in a mapping of its own; edits, shrinking back into
// the heap and clearing must keep every item in its place on either side of that line.
TEST(TListTest, LargeListKeepsItemsAcrossItsStorageChanges) {
    TList list;
    const int n = 200000;
    std::vector<std::intptr_t> expected;
    for (int i = 0; i < n; ++i) {
        list.Add(p(i));
        expected.push_back(i);
    }
    list.Insert(0, p(-1));
    expected.insert(expected.begin(), -1);
    list.Delete(n / 2);
    expected.erase(expected.begin() + n / 2);
    list.Move(0, n - 1);
    std::rotate(expected.begin(), expected.begin() + 1, expected.begin() + n);
    EXPECT_EQ(contents(list), expected);

    while (list.Count() > 10)
        list.Delete(list.Count() - 1);
    expected.resize(10);
    list.SetCapacity(10);
    EXPECT_EQ(list.Capacity(), 10);
    EXPECT_EQ(contents(list), expected);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Add(p(5));
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{5}));
}

TEST(TListTest, SortOrders) {
    auto ascending = [](void* a, void* b) { return static_cast<int>(v(a) - v(b)); };
    const std::vector<std::vector<std::intptr_t>> inputs = {
        {}, {1}, {2, 1}, {3, 3, 3}, {5, 1, 4, 1, 5, 9, 2, 6}, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}};
    for (const auto& in : inputs) {
        TList list;
        for (auto x : in)
            list.Add(p(x));
        list.Sort(ascending);
        auto want = in;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(contents(list), want);
    }
    // The function-pointer overload goes through the same code.
    TList list;
    fill(list, {3, 1, 2});
    list.Sort(+[](void* a, void* b) { return static_cast<int>(v(b) - v(a)); });
    EXPECT_EQ(contents(list), (std::vector<std::intptr_t>{3, 2, 1}));
}

TEST(TListTest, SortSurvivesInconsistentComparisons) {
    // Comparisons that contradict themselves must neither read outside the list nor lose or
    // duplicate an item; the resulting order is unspecified.
    std::mt19937 rng(42);
    const std::vector<std::pair<const char*, std::function<int(void*, void*)>>> compares = {
        {"always less", [](void*, void*) { return -1; }},
        {"always greater", [](void*, void*) { return 1; }},
        {"random", [&rng](void*, void*) { return static_cast<int>(rng() % 3) - 1; }},
    };
    for (const auto& [name, compare] : compares) {
        for (int n : {2, 3, 17, 200}) {
            TList list;
            list.SetCapacity(2 * n); // room past the end, so stray reads find garbage, not a fault
            std::vector<std::intptr_t> want;
            for (int i = 0; i < n; ++i) {
                list.Add(p(i + 1));
                want.push_back(i + 1);
            }
            int calls = 0;
            auto counted = [&](void* a, void* b) {
                ++calls;
                // Anything else would be a read outside the items.
                EXPECT_TRUE(v(a) >= 1 && v(a) <= n) << name;
                EXPECT_TRUE(v(b) >= 1 && v(b) <= n) << name;
                return compare(a, b);
            };
            list.Sort(counted);
            auto got = contents(list);
            std::sort(got.begin(), got.end());
            EXPECT_EQ(got, want) << name << " n=" << n;
        }
    }
}
