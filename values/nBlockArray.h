#pragma once
// An owning array of elements that keep their addresses. Only pointers move, so an element keeps
// its address while others are added, inserted, removed or sorted; callers may hold element
// pointers across such changes. Per element the array costs the element's slot plus one pointer in
// the list.
//
// How it works: the elements are not allocated one by one. Each array carves them out of large
// blocks of its own (BlockPool), each block twice the size of all before it up to a few megabytes,
// so that filling a million elements asks the system for memory a few dozen times. A removed
// element's slot goes to a free list and is the next one handed out; clearing the array makes
// every block fresh again, so a refill reuses the same memory in the same order. The blocks go back
// to the system with the array.
#include "framework/core/TList.h"

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace vexo {

// Fixed-size slots from large blocks, for one array.
class BlockPool {
public:
    BlockPool(std::size_t slotSize, std::size_t slotAlign);
    ~BlockPool();
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;

    void* take(); // std::bad_alloc when no block can be had
    void give(void* slot) noexcept;
    // A slot taken that goes back unless released, for an element whose constructor may throw.
    struct GiveBack {
        BlockPool* pool;
        void operator()(void* slot) const noexcept { pool->give(slot); }
    };
    std::unique_ptr<void, GiveBack> hold() { return {take(), GiveBack{this}}; }
    // Every slot free again, the blocks kept; the slots are handed out again from the first block.
    void reset() noexcept;
    std::size_t blockBytes() const; // for memory accounting

private:
    struct Block {
        char* data;
        std::size_t bytes;
    };
    struct FreeSlot {
        FreeSlot* next;
    };
    void* takeFromNewBlock();
    static void freeBlock(const Block& block) noexcept;

    std::size_t slot_;
    std::vector<Block> blocks_;
    std::size_t current_ = 0; // the block being carved
    char* next_ = nullptr;    // its first slot never handed out
    char* end_ = nullptr;
    FreeSlot* free_ = nullptr; // slots given back
};

class nBlockArray_base {
public:
    nBlockArray_base() = default;
    virtual ~nBlockArray_base();
    nBlockArray_base(const nBlockArray_base&) = delete;
    nBlockArray_base& operator=(const nBlockArray_base&) = delete;

    int count() const { return list.Count(); }
    void* get(int i) const { return list.Get(i); } // EListError outside 0..count-1
    void* add();                                   // EOutOfMemory when allocation fails; nothing added
    void* insert(int i);                           // before i; i == count appends; EListError outside
    void remove(int i);                            // EListError outside 0..count-1
    void clear();
    void reserve(int elements) { list.SetCapacity(elements); } // the list only; never below count()

    // Quicksort of the pointers, not stable: compare(a, b) returns <0, 0 or >0.
    void sort(TListSortCompare compare) { list.Sort(compare); }
    template <class Compare> void sort(Compare compare) { list.Sort(compare); }

protected:
    virtual void freeItem(void* item);
    virtual void* newItem();
    // Called by clear() once every element has been freed.
    virtual void allFreed() {}

    TList list;

private:
    // Owns a new element until the list holds it, so that a failure to grow the list frees it.
    struct ItemFree {
        nBlockArray_base* array;
        void operator()(void* item) const { array->freeItem(item); }
    };
    using NewItem = std::unique_ptr<void, ItemFree>;
    NewItem createItem();
};

template <class T> class nBlockArray : public nBlockArray_base {
    static_assert(alignof(T) <= alignof(std::max_align_t),
                  "the pool's blocks are aligned for ordinary types only");

public:
    nBlockArray() : pool_(sizeof(Slot), alignof(Slot)) {}
    // The base destructor can no longer reach freeItem of this class, so elements go here.
    ~nBlockArray() override { clear(); }

    T* get(int i) const { return static_cast<T*>(nBlockArray_base::get(i)); }
    T& operator[](int i) const { return *get(i); }
    T* add() { return static_cast<T*>(nBlockArray_base::add()); }
    T* insert(int i) { return static_cast<T*>(nBlockArray_base::insert(i)); }

    // compare(a, b) takes element pointers (T* or const T*, void* works too) and returns <0, 0 or >0,
    // not a bool.
    template <class Compare> void sort(Compare compare) {
        static_assert(std::is_invocable_r_v<int, Compare&, T*, T*>, "compare(T*, T*) must return an int");
        static_assert(!std::is_same_v<std::invoke_result_t<Compare&, T*, T*>, bool>,
                      "compare must return <0, 0 or >0; a bool cannot say 'greater'");
        list.Sort([&compare](void* a, void* b) { return compare(static_cast<T*>(a), static_cast<T*>(b)); });
    }

protected:
    void freeItem(void* item) override {
        if (!item) return;
        static_cast<T*>(item)->~T();
        pool_.give(item);
    }
    void* newItem() override {
        auto slot = pool_.hold();
        new (slot.get()) T();
        return slot.release();
    }
    void allFreed() override { pool_.reset(); }

private:
    // A free slot holds the free list's link, so a slot is at least a pointer.
    union Slot {
        alignas(T) unsigned char element[sizeof(T)];
        void* link;
    };
    BlockPool pool_;
};

} // namespace vexo
