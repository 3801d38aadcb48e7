#include "values/nBlockArray.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <sys/mman.h>

namespace vexo {

namespace {

// The first block holds a few slots, so a small array costs little; later blocks double the pool
// up to MaxBlock. Blocks of MapBlock and more are mappings of their own, so that they go back to the
// system whole when the array goes. (Asking the kernel for huge pages on them made fresh fills
// two to three times slower whenever it had to compact memory first, so they get none.)
constexpr std::size_t FirstBlock = 4 * 1024;
constexpr std::size_t MapBlock = 1024 * 1024;
constexpr std::size_t MaxBlock = 4 * 1024 * 1024;

} // namespace

BlockPool::BlockPool(std::size_t slotSize, std::size_t slotAlign)
    : slot_((std::max(slotSize, sizeof(FreeSlot)) + slotAlign - 1) / slotAlign * slotAlign) {}

BlockPool::~BlockPool() {
    for (const Block& block : blocks_)
        freeBlock(block);
}

void BlockPool::freeBlock(const Block& block) noexcept {
    if (block.bytes >= MapBlock)
        munmap(block.data, block.bytes);
    else
        std::free(block.data);
}

void* BlockPool::take() {
    if (free_) {
        FreeSlot* slot = free_;
        free_ = slot->next;
        return slot;
    }
    if (static_cast<std::size_t>(end_ - next_) >= slot_) {
        void* slot = next_;
        next_ += slot_;
        return slot;
    }
    return takeFromNewBlock();
}

void* BlockPool::takeFromNewBlock() {
    // A block kept by reset() comes first.
    while (current_ + 1 < blocks_.size()) {
        const Block& block = blocks_[++current_];
        next_ = block.data;
        end_ = block.data + block.bytes;
        if (static_cast<std::size_t>(end_ - next_) >= slot_) return take();
    }
    blocks_.reserve(blocks_.size() + 1); // so that recording the block cannot fail once it exists
    std::size_t bytes = std::clamp(blockBytes(), FirstBlock, MaxBlock);
    bytes = std::max(bytes, slot_);
    Block block{nullptr, bytes};
    if (bytes >= MapBlock) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        block.data = static_cast<char*>(p);
    } else {
        // malloc's alignment serves every element the library keeps (none is over-aligned).
        block.data = static_cast<char*>(std::malloc(bytes));
        if (!block.data) throw std::bad_alloc();
    }
    blocks_.push_back(block);
    current_ = blocks_.size() - 1;
    next_ = block.data;
    end_ = block.data + block.bytes;
    return take();
}

void BlockPool::give(void* slot) noexcept {
    auto* freed = static_cast<FreeSlot*>(slot);
    freed->next = free_;
    free_ = freed;
}

void BlockPool::reset() noexcept {
    free_ = nullptr;
    current_ = 0;
    next_ = blocks_.empty() ? nullptr : blocks_[0].data;
    end_ = blocks_.empty() ? nullptr : blocks_[0].data + blocks_[0].bytes;
}

std::size_t BlockPool::blockBytes() const {
    std::size_t bytes = 0;
    for (const Block& block : blocks_)
        bytes += block.bytes;
    return bytes;
}

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
    allFreed();
}

} // namespace vexo
