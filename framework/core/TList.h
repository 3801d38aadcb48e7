#pragma once
// A growable array of untyped pointers with an in-place quicksort. Indexes start at 0; a bad index
// raises EListError and leaves the list unchanged.
//
// Storage: a small list lives in the heap; once it passes a few hundred kilobytes it moves, once,
// into a mapping of its own, which later grows by remapping its pages rather than by copying them,
// and goes back to the system when the list is cleared. A list of a million pointers therefore
// never copies itself while it grows.
#include <cstddef>
#include <utility>

namespace vexo {

using TListSortCompare = int (*)(void* item1, void* item2);

class TList {
public:
    TList() = default;
    virtual ~TList();
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Count() const { return static_cast<int>(count_); }
    // EListError when index is outside 0..Count-1. Inline: every cell of a grid is reached
    // through it.
    void* Get(int index) const {
        if (index < 0 || index >= Count()) indexError(index);
        return items_[index];
    }
    void Put(int index, void* item); // EListError likewise
    void* operator[](int index) const { return Get(index); }
    int Add(void* item);                   // returns the new index
    void Insert(int index, void* item);    // index == Count appends; EListError otherwise outside
    void Delete(int index);                // EListError when outside
    void Exchange(int index1, int index2); // EListError when either is outside
    void Move(int curIndex, int newIndex); // EListError when either is outside
    int IndexOf(const void* item) const;   // -1 when absent
    int Remove(const void* item);          // removes the first occurrence; its former index or -1
    void Clear();
    int Capacity() const { return static_cast<int>(capacity_); }
    void SetCapacity(int capacity);

    // Quicksort (not stable). compare(a, b) returns <0, 0 or >0.
    void Sort(TListSortCompare compare) { Sort<TListSortCompare>(compare); }
    template <class Compare> void Sort(Compare compare);

    void* const* data() const { return items_; }

private:
    [[noreturn]] static void indexError(int index);
    template <class Compare> void quickSort(std::ptrdiff_t lo, std::ptrdiff_t hi, Compare& compare);
    // Moves the items into storage for exactly capacity pointers (>= count_); std::bad_alloc on failure,
    // the list unchanged.
    void reallocate(std::size_t capacity);
    void growFor(std::size_t count);

    void** items_ = nullptr;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false; // items_ is a mapping of its own, not a heap block
};

template <class Compare> void TList::Sort(Compare compare) {
    if (count_ > 1) quickSort(0, static_cast<std::ptrdiff_t>(count_) - 1, compare);
}

template <class Compare> void TList::quickSort(std::ptrdiff_t lo, std::ptrdiff_t hi, Compare& compare) {
    // Hoare partition around the middle element; recurse into the smaller side so the stack stays
    // logarithmic even on adversarial input. The scans are bounded by lo..hi: a consistent compare
    // never reaches the bounds (the pivot stops them), but an inconsistent one (a < b and b < a)
    // would otherwise run off the array. Each pass still moves i past lo and j below hi, so the
    // loop terminates whatever compare answers; the order is then merely unspecified.
    while (lo < hi) {
        std::ptrdiff_t i = lo, j = hi;
        void* pivot = items_[static_cast<std::size_t>(lo + (hi - lo) / 2)];
        while (i <= j) {
            while (i < hi && compare(items_[static_cast<std::size_t>(i)], pivot) < 0)
                ++i;
            while (j > lo && compare(items_[static_cast<std::size_t>(j)], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        }
        if (j - lo < hi - i) {
            if (lo < j) quickSort(lo, j, compare);
            lo = i;
        } else {
            if (i < hi) quickSort(i, hi, compare);
            hi = j;
        }
    }
}

} // namespace vexo
