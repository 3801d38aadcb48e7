#include "values/nBlockArray.h"

#include "framework/core/Exception.h"

#include <new>
#include <string>

namespace vexo {

nBlockArray_base::~nBlockArray_base() {
    clear();
}

void nBlockArray_base::freeItem(void*) {}

void* nBlockArray_base::newItem() {
    return nullptr;
}

nBlockArray_base::NewItem nBlockArray_base::createItem() {
    try {
        return NewItem(newItem(), ItemFree{this});
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory creating an element of a block array");
    }
}

void* nBlockArray_base::add() {
    NewItem item = createItem();
    try {
        list.Add(item.get());
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory growing a block array");
    }
    return item.release();
}

void* nBlockArray_base::insert(int i) {
    // Checked before the element exists, so a bad index has nothing to leak.
    if (i < 0 || i > list.Count())
        throw EListError("Block array insert index " + std::to_string(i) + " out of bounds (0.." +
                         std::to_string(list.Count()) + ")");
    NewItem item = createItem();
    try {
        list.Insert(i, item.get());
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory growing a block array");
    }
    return item.release();
}

void nBlockArray_base::remove(int i) {
    freeItem(list.Get(i));
    list.Delete(i);
}

void nBlockArray_base::clear() {
    for (int i = 0, n = list.Count(); i < n; ++i)
        freeItem(list.Get(i));
    list.Clear();
}

} // namespace vexo
