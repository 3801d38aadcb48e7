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

void* nBlockArray_base::createItem() {
    try {
        return newItem();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory creating an element of a block array");
    }
}

void* nBlockArray_base::add() {
    void* item = createItem();
    try {
        list.Add(item);
    } catch (const std::bad_alloc&) {
        freeItem(item);
        throw EOutOfMemory("Out of memory growing a block array");
    } catch (...) {
        freeItem(item);
        throw;
    }
    return item;
}

void* nBlockArray_base::insert(int i) {
    // Checked before the element exists, so a bad index has nothing to leak.
    if (i < 0 || i > list.Count())
        throw EListError("Block array insert index " + std::to_string(i) + " out of bounds (0.." +
                         std::to_string(list.Count()) + ")");
    void* item = createItem();
    try {
        list.Insert(i, item);
    } catch (const std::bad_alloc&) {
        freeItem(item);
        throw EOutOfMemory("Out of memory growing a block array");
    } catch (...) {
        freeItem(item);
        throw;
    }
    return item;
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
