#include "controls/grid/VexoGridRowInfo.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <new>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vexo {

// Buffer layout: the texts back to back from the start (k = 0 the RowData, k = i + 1 cell i); the
// end of text k, as a uint32 offset from the start, at data + capacity - 4 * (k + 1). Text k spans
// [end(k-1), end(k)) with end(-1) = 0.
namespace {

using u32 = std::uint32_t;

u32 readU32(const char* p) {
    u32 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void writeU32(char* p, u32 v) {
    std::memcpy(p, &v, sizeof v);
}

const std::string emptyText;

// Copies a cell text. Cell texts are short, and glibc's memcpy for them, on processors with
// AVX-512, leaves the vector unit in a state that makes the next scalar floating-point code (the
// typed setters' conversions) run several times slower: the typed fill lost a third of its speed
// to it. Plain 16-byte moves, overlapping at the ends, copy texts of up to 64 bytes without that.
void copyText(char* to, const char* from, std::size_t n) {
#if defined(__SSE2__)
    using v16 = __m128i;
    auto load = [](const char* p) { return _mm_loadu_si128(reinterpret_cast<const v16*>(p)); };
    auto store = [](char* p, v16 v) { _mm_storeu_si128(reinterpret_cast<v16*>(p), v); };
    if (n > 64) {
        std::memcpy(to, from, n);
    } else if (n >= 32) {
        const v16 a = load(from), b = load(from + 16), c = load(from + n - 32), d = load(from + n - 16);
        store(to, a);
        store(to + 16, b);
        store(to + n - 32, c);
        store(to + n - 16, d);
    } else if (n >= 16) {
        const v16 a = load(from), b = load(from + n - 16);
        store(to, a);
        store(to + n - 16, b);
    } else if (n >= 8) {
        std::uint64_t a, b;
        std::memcpy(&a, from, 8);
        std::memcpy(&b, from + n - 8, 8);
        std::memcpy(to, &a, 8);
        std::memcpy(to + n - 8, &b, 8);
    } else if (n >= 4) {
        const u32 a = readU32(from), b = readU32(from + n - 4);
        writeU32(to, a);
        writeU32(to + n - 4, b);
    } else if (n > 0) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    }
#else
    std::memcpy(to, from, n);
#endif
}

[[noreturn]] void throwIndexError(int i, int limit, const char* what) {
    throw EListError(std::string(what) + " index " + std::to_string(i) + " outside 0.." +
                     std::to_string(limit - 1));
}

// Writes outside the record's room would be dropped without a trace; refuse them instead.
inline void checkIndex(int i, int limit, const char* what) {
    if (i < 0 || i >= limit) [[unlikely]]
        throwIndexError(i, limit, what);
}

} // namespace

// A row's memory is mostly this record: keep it from growing by accident.
static_assert(sizeof(TVexoGrid_rowInfo) == 160, "the row record is meant to stay at 160 bytes");

struct TVexoGrid_rowInfo::Rare {
    int image = -1;
    int rowAttr = -1;
    std::uint64_t joined = 0;
    std::string backColors;
    std::vector<std::string> itemData; // by slot; slot 0 stays empty here
    std::vector<int> cellAttr;
};

TVexoGrid_rowInfo::TVexoGrid_rowInfo() = default;
TVexoGrid_rowInfo::~TVexoGrid_rowInfo() {
    if (flag(HeapCellsBit)) std::free(heap());
}

void TVexoGrid_rowInfo::cellIndexError(int i) {
    throwIndexError(i, MaxCells, "cell");
}

TVexoGrid_rowInfo::Rare& TVexoGrid_rowInfo::rare() {
    if (!rare_) rare_ = std::make_unique<Rare>();
    return *rare_;
}

int TVexoGrid_rowInfo::image() const {
    const Rare* r = rareIfAny();
    return r ? r->image : -1;
}

void TVexoGrid_rowInfo::setImage(int index) {
    if (rareIfAny() || index != -1) rare().image = index;
}

int TVexoGrid_rowInfo::rowAttr() const {
    const Rare* r = rareIfAny();
    return r ? r->rowAttr : -1;
}

void TVexoGrid_rowInfo::setRowAttr(int index) {
    if (rareIfAny() || index != -1) rare().rowAttr = index;
}

std::string_view TVexoGrid_rowInfo::itemData(int slot) const {
    if (slot == 0) return text(0);
    const Rare* r = rareIfAny();
    if (!r || slot < 0 || slot >= static_cast<int>(r->itemData.size())) return {};
    return r->itemData[static_cast<std::size_t>(slot)];
}

void TVexoGrid_rowInfo::setItemData(int slot, std::string_view value) {
    checkIndex(slot, MaxItemData, "item data");
    if (slot == 0) return setText(0, value);
    const Rare* r = rareIfAny();
    if (value.empty() && (!r || slot >= static_cast<int>(r->itemData.size()))) return;
    auto& data = rare().itemData;
    if (slot >= static_cast<int>(data.size())) data.resize(static_cast<std::size_t>(slot) + 1);
    data[static_cast<std::size_t>(slot)] = value;
}

std::string_view TVexoGrid_rowInfo::cellText(int i) const {
    if (i < 0 || i >= MaxCells) return {};
    return text(i + 1);
}

void TVexoGrid_rowInfo::setCell(int i, std::string_view value) {
    checkIndex(i, MaxCells, "cell");
    setText(i + 1, value);
}

std::string_view TVexoGrid_rowInfo::text(int k) const {
    if (k >= textCount()) return {};
    const Buffer buf = buffer();
    const u32 begin = textEnd(buf, k);
    return {buf.data + begin, textEnd(buf, k + 1) - begin};
}

void TVexoGrid_rowInfo::setText(int k, std::string_view value) {
    const int oldCount = textCount();
    if (k >= oldCount && value.empty()) return; // reads as empty already
    // The next text of a row being filled, the common case: nothing moves.
    if (char* room = nextTextRoom(k, value.size())) {
        copyText(room, value.data(), value.size());
        commitNextText(k, value.size());
        return;
    }
    const int newCount = k >= oldCount ? k + 1 : oldCount;

    const Buffer buf = buffer();
    // A value viewing this row's own texts (another cell's, through cellText) would move under
    // the copies below: take it out first.
    std::string own;
    const std::less<const char*> below;
    if (!below(value.data(), buf.data) && below(value.data(), buf.data + buf.capacity)) {
        own.assign(value);
        value = own;
    }
    const u32 oldTotal = textEnd(buf, oldCount);
    const std::string_view old = text(k);
    const std::size_t before = k < oldCount ? static_cast<std::size_t>(old.data() - buf.data) : oldTotal;
    const std::size_t after = oldTotal - before - old.size();
    const std::size_t newTotal = oldTotal - old.size() + value.size();
    if (newTotal > UINT32_MAX) throw std::bad_alloc();
    const std::size_t newSize = newTotal + sizeof(u32) * static_cast<std::size_t>(newCount);

    if (newSize <= buf.capacity) {
        // In place: only the texts after text k move, and only when its length changes.
        if (after && value.size() != old.size())
            std::memmove(buf.data + before + value.size(), buf.data + before + old.size(), after);
        copyText(buf.data + before, value.data(), value.size());
        const auto grow = static_cast<std::int64_t>(value.size()) - static_cast<std::int64_t>(old.size());
        for (int c = std::min(k, oldCount); c < newCount; ++c) {
            char* end = endSlot(buf, c);
            if (c >= oldCount)
                writeU32(end, static_cast<u32>(c == k ? before + value.size() : before));
            else
                writeU32(end, static_cast<u32>(static_cast<std::int64_t>(readU32(end)) + grow));
        }
        setCount(newCount);
        return;
    }

    // A heap buffer with room to spare: rows are usually filled one cell after the other, and the
    // slack lets most of those writes stay in place.
    const std::size_t capacity = newSize + 32 + newSize / 8;
    char* block = static_cast<char*>(std::malloc(sizeof capacity + capacity));
    if (!block) throw std::bad_alloc();
    std::memcpy(block, &capacity, sizeof capacity);
    char* data = block + sizeof capacity;
    u32 pos = 0;
    for (int c = 0; c < newCount; ++c) {
        const std::string_view piece = c == k ? value : text(c);
        copyText(data + pos, piece.data(), piece.size());
        pos += static_cast<u32>(piece.size());
        writeU32(endSlot(Buffer{data, capacity}, c), pos);
    }
    if (flag(HeapCellsBit)) std::free(heap());
    std::memcpy(inline_, &block, sizeof block);
    setFlag(HeapCellsBit, true);
    setCount(newCount);
}

bool TVexoGrid_rowInfo::isNull(int i) const {
    if (i < 0 || i >= MaxCells) return true;
    return (bits_ >> i) & 1u;
}

bool TVexoGrid_rowInfo::joined(int i) const {
    const Rare* r = rareIfAny();
    if (!r || i < 0 || i >= MaxCells) return false;
    return (r->joined >> i) & 1u;
}

void TVexoGrid_rowInfo::setJoined(int i, bool value) {
    checkIndex(i, MaxCells, "cell");
    if (!value && !rareIfAny()) return;
    if (value)
        rare().joined |= std::uint64_t{1} << i;
    else
        rare().joined &= ~(std::uint64_t{1} << i);
}

int TVexoGrid_rowInfo::cellAttr(int i) const {
    const Rare* r = rareIfAny();
    if (!r || i < 0 || i >= static_cast<int>(r->cellAttr.size())) return -1;
    return r->cellAttr[static_cast<std::size_t>(i)];
}

void TVexoGrid_rowInfo::setCellAttr(int i, int index) {
    checkIndex(i, MaxCells, "cell");
    if (index == -1 && cellAttr(i) == -1) return;
    auto& attrs = rare().cellAttr;
    if (i >= static_cast<int>(attrs.size())) attrs.resize(static_cast<std::size_t>(i) + 1, -1);
    attrs[static_cast<std::size_t>(i)] = index;
}

const std::string& TVexoGrid_rowInfo::backColors() const {
    const Rare* r = rareIfAny();
    return r ? r->backColors : emptyText;
}

void TVexoGrid_rowInfo::setBackColors(const std::string& text) {
    if (rareIfAny() || !text.empty()) rare().backColors = text;
}

std::size_t TVexoGrid_rowInfo::heapBytes() const {
    std::size_t bytes = flag(HeapCellsBit) ? malloc_usable_size(heap()) : 0;
    if (const Rare* r = rareIfAny()) {
        bytes += sizeof(Rare) + r->backColors.capacity();
        for (const auto& s : r->itemData)
            bytes += sizeof(std::string) + s.capacity();
        bytes += r->cellAttr.capacity() * sizeof(int);
    }
    return bytes;
}

} // namespace vexo
