#include "framework/core/TList.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

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

// From this size on the list has a mapping of its own: growing it remaps pages instead of copying
// them, and clearing it gives them back to the system at once.
constexpr std::size_t MapBytes = 256 * 1024;

std::size_t pageRounded(std::size_t bytes) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

} // namespace

TList::~TList() {
    reallocate(0);
}

void TList::reallocate(std::size_t capacity) {
    const std::size_t oldBytes = mapped_ ? pageRounded(capacity_ * sizeof(void*)) : 0;
    std::size_t bytes = capacity * sizeof(void*);
    if (bytes >= MapBytes) {
        bytes = pageRounded(bytes);
        void* p = mapped_ ? mremap(items_, oldBytes, bytes, MREMAP_MAYMOVE)
                          : mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        if (!mapped_) {
            if (count_) std::memcpy(p, items_, count_ * sizeof(void*)); // once, below MapBytes
            std::free(items_);
        }
        items_ = static_cast<void**>(p);
        capacity_ = bytes / sizeof(void*);
        mapped_ = true;
        return;
    }
    void** p = nullptr;
    if (bytes) {
        p = static_cast<void**>(mapped_ ? std::malloc(bytes) : std::realloc(items_, bytes));
        if (!p) throw std::bad_alloc();
    }
    if (mapped_) {
        if (count_) std::memcpy(p, items_, count_ * sizeof(void*));
        munmap(items_, oldBytes);
    } else if (!bytes) {
        std::free(items_);
    }
    items_ = p;
    capacity_ = capacity;
    mapped_ = false;
}

void TList::growFor(std::size_t count) {
    if (count <= capacity_) return;
    growing([&] { reallocate(std::max({count, capacity_ * 2, std::size_t{16}})); });
}

void TList::Put(int index, void* item) {
    if (index < 0 || index >= Count()) indexError(index);
    items_[index] = item;
}

int TList::Add(void* item) {
    // Appending into room already there, as filling a grid does row after row; the general path
    // refuses a list that an int can no longer index.
    if (count_ < capacity_ && count_ < static_cast<std::size_t>(INT_MAX)) {
        items_[count_] = item;
        return static_cast<int>(count_++);
    }
    Insert(Count(), item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) indexError(index);
    // Count() is an int: refuse to grow past what an index can address.
    if (Count() == INT_MAX) throw EListError("La lista está llena (" + std::to_string(Count()) + ")");
    growFor(count_ + 1);
    std::memmove(items_ + index + 1, items_ + index,
                 (count_ - static_cast<std::size_t>(index)) * sizeof(void*));
    items_[index] = item;
    ++count_;
}

void TList::Delete(int index) {
    if (index < 0 || index >= Count()) indexError(index);
    std::memmove(items_ + index, items_ + index + 1,
                 (count_ - static_cast<std::size_t>(index) - 1) * sizeof(void*));
    --count_;
}

void TList::Exchange(int index1, int index2) {
    if (index1 < 0 || index1 >= Count()) indexError(index1);
    if (index2 < 0 || index2 >= Count()) indexError(index2);
    std::swap(items_[index1], items_[index2]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex < 0 || curIndex >= Count()) indexError(curIndex);
    if (newIndex < 0 || newIndex >= Count()) indexError(newIndex);
    if (curIndex == newIndex) return;
    void* item = items_[curIndex];
    if (curIndex < newIndex)
        std::memmove(items_ + curIndex, items_ + curIndex + 1,
                     static_cast<std::size_t>(newIndex - curIndex) * sizeof(void*));
    else
        std::memmove(items_ + newIndex + 1, items_ + newIndex,
                     static_cast<std::size_t>(curIndex - newIndex) * sizeof(void*));
    items_[newIndex] = item;
}

int TList::IndexOf(const void* item) const {
    for (std::size_t i = 0; i < count_; ++i)
        if (items_[i] == item) return static_cast<int>(i);
    return -1;
}

int TList::Remove(const void* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void TList::Clear() {
    count_ = 0;
    reallocate(0);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count())
        throw EListError("Capacidad de lista fuera de rango (" + std::to_string(capacity) + ")");
    if (capacity == Capacity()) return;
    growing([&] { reallocate(static_cast<std::size_t>(capacity)); });
}

} // namespace vexo
