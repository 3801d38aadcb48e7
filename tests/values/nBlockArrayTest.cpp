#include "values/nBlockArray.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

using namespace vexo;

namespace {

// Counts live elements so leaks and double frees show up as a wrong count.
struct Tracked {
    static inline int live = 0;
    static inline bool failNext = false;
    Tracked() {
        if (failNext) {
            failNext = false;
            throw std::bad_alloc();
        }
        ++live;
    }
    ~Tracked() { --live; }
    Tracked(const Tracked&) = delete;
    Tracked& operator=(const Tracked&) = delete;
    int value = 7;
    std::string text;
};

class nBlockArrayTest : public ::testing::Test {
protected:
    void SetUp() override { Tracked::live = 0; }
    void TearDown() override { EXPECT_EQ(Tracked::live, 0) << "elements leaked or freed twice"; }
};

std::vector<Tracked*> pointers(const nBlockArray<Tracked>& a) {
    std::vector<Tracked*> out;
    for (int i = 0; i < a.count(); ++i)
        out.push_back(a.get(i));
    return out;
}

} // namespace

TEST_F(nBlockArrayTest, AddCreatesDefaultElementsAndDestructorFreesThem) {
    nBlockArray<Tracked> a;
    Tracked* first = a.add();
    EXPECT_EQ(a.count(), 1);
    EXPECT_EQ(first->value, 7);
    EXPECT_TRUE(first->text.empty());
    a.add()->text = std::string(1000, 'x'); // released by the element's destructor
    EXPECT_EQ(Tracked::live, 2);
}

TEST_F(nBlockArrayTest, ElementsKeepTheirAddressesAcrossChanges) {
    nBlockArray<Tracked> a;
    Tracked* p = a.add();
    p->value = 1;
    a.add()->value = 2;
    Tracked* front = a.insert(0);
    EXPECT_EQ(a.get(0), front);
    EXPECT_EQ(a.get(1), p);
    EXPECT_EQ(&a[1], p);
    for (int i = 0; i < 100; ++i)
        a.add();
    a.remove(0);
    EXPECT_EQ(a.get(0), p);
    EXPECT_EQ(a.get(1)->value, 2);
    a.insert(a.count())->value = 99; // inserting at count appends
    EXPECT_EQ(a.get(a.count() - 1)->value, 99);
}

TEST_F(nBlockArrayTest, RemoveAndClearDestroyElements) {
    nBlockArray<Tracked> a;
    a.clear(); // empty: nothing to do
    for (int i = 0; i < 5; ++i)
        a.add()->value = i;
    a.remove(2);
    EXPECT_EQ(Tracked::live, 4);
    std::vector<int> values;
    for (int i = 0; i < a.count(); ++i)
        values.push_back(a.get(i)->value);
    EXPECT_EQ(values, (std::vector<int>{0, 1, 3, 4}));
    a.clear();
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(Tracked::live, 0);
}

// Elements come from blocks shared by many: a removed element's slot is handed out again, a
// cleared array refills the same memory, and nothing overlaps while thousands of elements live.
TEST_F(nBlockArrayTest, SlotsAreReusedAndNeverShared) {
    nBlockArray<Tracked> a;
    const int n = 50000;
    for (int i = 0; i < n; ++i)
        a.add()->value = i;
    std::vector<Tracked*> live = pointers(a);
    std::vector<Tracked*> sorted = live;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end(),
                                 [](Tracked* x, Tracked* y) {
                                     return reinterpret_cast<char*>(y) - reinterpret_cast<char*>(x) <
                                            static_cast<std::ptrdiff_t>(sizeof(Tracked));
                                 }),
              sorted.end())
        << "two elements overlap";
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(a.get(i)->value, i);

    Tracked* gone = a.get(123);
    a.remove(123);
    EXPECT_EQ(a.insert(0), gone) << "the freed slot is the next one handed out";
    EXPECT_EQ(a.get(0)->value, 7) << "and holds a new element";

    a.clear();
    EXPECT_EQ(Tracked::live, 0);
    EXPECT_EQ(a.add(), live[0]) << "a refill starts again where the first fill started";
    EXPECT_EQ(a.add(), live[1]);
}

TEST_F(nBlockArrayTest, BadIndexesRaiseAndChangeNothing) {
    nBlockArray<Tracked> a;
    a.add();
    a.add();
    const auto before = pointers(a);
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"get -1", [&] { a.get(-1); }},       {"get count", [&] { a.get(2); }},
        {"remove -1", [&] { a.remove(-1); }}, {"remove count", [&] { a.remove(2); }},
        {"insert -1", [&] { a.insert(-1); }}, {"insert count+1", [&] { a.insert(3); }},
    };
    for (const auto& [name, call] : cases) {
        EXPECT_THROW(call(), EListError) << name;
        EXPECT_EQ(pointers(a), before) << name;
        EXPECT_EQ(Tracked::live, 2) << name;
    }
}

TEST_F(nBlockArrayTest, AllocationFailureRaisesOutOfMemoryAndAddsNothing) {
    nBlockArray<Tracked> a;
    a.add();
    Tracked::failNext = true;
    EXPECT_THROW(a.add(), EOutOfMemory);
    Tracked::failNext = true;
    EXPECT_THROW(a.insert(0), EOutOfMemory);
    EXPECT_EQ(a.count(), 1);
    EXPECT_EQ(Tracked::live, 1);
}

TEST_F(nBlockArrayTest, SortReordersPointersOnly) {
    nBlockArray<Tracked> a;
    const int values[] = {5, 3, 9, 1, 3, 8, 0, 7};
    for (int v : values)
        a.add()->value = v;
    auto before = pointers(a);

    a.sort([](const Tracked* x, const Tracked* y) { return x->value - y->value; });
    std::vector<int> sorted;
    for (int i = 0; i < a.count(); ++i)
        sorted.push_back(a.get(i)->value);
    EXPECT_EQ(sorted, (std::vector<int>{0, 1, 3, 3, 5, 7, 8, 9}));
    auto after = pointers(a);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);

    // All equal: still a permutation of the same elements.
    a.sort(+[](void*, void*) { return 0; });
    after = pointers(a);
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
}

TEST(nBlockArrayPlainTest, ScalarElementsAreZeroInitialised) {
    nBlockArray<int> ints;
    EXPECT_EQ(*ints.add(), 0);
    nBlockArray<int*> ptrs;
    EXPECT_EQ(*ptrs.add(), nullptr);
}
