#include "framework/core/TList.h"

#include "framework/core/Exception.h"

#include <climits>
#include <new>
#include <string>

namespace vexo {

void TList::indexError(int index) {
    throw EListError("Índice de lista fuera de rango (" + std::to_string(index) + ")");
}

namespace {

// Growth is the only place the list allocates for its caller; report it in the framework's terms.
template <class Fn> void growing(Fn fn) {
    try {
        fn();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Memoria insuficiente para ampliar la lista");
    }
}

} // namespace

void* TList::Get(int index) const {
    if (index < 0 || index >= Count()) indexError(index);
    return items_[static_cast<std::size_t>(index)];
}

void TList::Put(int index, void* item) {
    if (index < 0 || index >= Count()) indexError(index);
    items_[static_cast<std::size_t>(index)] = item;
}

int TList::Add(void* item) {
    Insert(Count(), item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) indexError(index);
    // Count() is an int: refuse to grow past what an index can address.
    if (Count() == INT_MAX) throw EListError("La lista está llena (" + std::to_string(Count()) + ")");
    growing([&] { items_.insert(items_.begin() + index, item); });
}

void TList::Delete(int index) {
    if (index < 0 || index >= Count()) indexError(index);
    items_.erase(items_.begin() + index);
}

void TList::Exchange(int index1, int index2) {
    if (index1 < 0 || index1 >= Count()) indexError(index1);
    if (index2 < 0 || index2 >= Count()) indexError(index2);
    std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex < 0 || curIndex >= Count()) indexError(curIndex);
    if (newIndex < 0 || newIndex >= Count()) indexError(newIndex);
    if (curIndex == newIndex) return;
    void* item = items_[static_cast<std::size_t>(curIndex)];
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, item); // cannot reallocate: the size is back to before
}

int TList::IndexOf(const void* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return static_cast<int>(i);
    return -1;
}

int TList::Remove(const void* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void TList::Clear() {
    items_.clear();
    items_.shrink_to_fit();
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count())
        throw EListError("Capacidad de lista fuera de rango (" + std::to_string(capacity) + ")");
    if (capacity == Capacity()) return;
    growing([&] {
        if (capacity > Capacity()) {
            items_.reserve(static_cast<std::size_t>(capacity));
        } else {
            std::vector<void*> smaller;
            smaller.reserve(static_cast<std::size_t>(capacity));
            smaller.assign(items_.begin(), items_.end());
            items_.swap(smaller);
        }
    });
}

} // namespace vexo
