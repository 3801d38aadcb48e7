#pragma once
// An owning array of individually allocated elements. Each element lives in its own block and only
// pointers move, so an element keeps its address while others are added, inserted, removed or
// sorted; callers may hold element pointers across such changes. Per element the array costs the
// element's own allocation plus one pointer in the list.
#include "framework/core/TList.h"

#include <memory>
#include <type_traits>

namespace vexo {

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

    // Quicksort of the pointers, not stable: compare(a, b) returns <0, 0 or >0.
    void sort(TListSortCompare compare) { list.Sort(compare); }
    template <class Compare> void sort(Compare compare) { list.Sort(compare); }

protected:
    virtual void freeItem(void* item);
    virtual void* newItem();

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
public:
    nBlockArray() = default;
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
    void freeItem(void* item) override { delete static_cast<T*>(item); }
    void* newItem() override { return new T(); }
};

} // namespace vexo
