#include "controls/grid/VexoGridRowInfo.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>
#include <vector>

namespace vexo {

// Cell buffer layout: uint32 count n, uint32 end[n] (offsets into the text area), then the texts.
// Cell i spans text[end[i-1] .. end[i]) with end[-1] = 0.
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

std::size_t headerSize(int count) {
    return sizeof(u32) * (static_cast<std::size_t>(count) + 1);
}

const std::string emptyText;

// Writes outside the record's room would be dropped without a trace; refuse them instead.
void checkIndex(int i, int limit, const char* what) {
    if (i < 0 || i >= limit)
        throw EListError(std::string(what) + " index " + std::to_string(i) + " outside 0.." +
                         std::to_string(limit - 1));
}

} // namespace

struct TVexoGrid_rowInfo::Extras {
    int image = -1;
    int rowAttr = -1;
    std::uint64_t joined = 0;
    std::string backColors;
    std::vector<std::string> itemData;
    std::vector<int> cellAttr;
};

TVexoGrid_rowInfo::TVexoGrid_rowInfo() = default;
TVexoGrid_rowInfo::~TVexoGrid_rowInfo() {
    if (flag(HeapCellsBit)) std::free(cells_);
}

std::size_t TVexoGrid_rowInfo::capacity() const {
    if (!cells_) return 0;
    return flag(HeapCellsBit) ? malloc_usable_size(cells_) : InlineBytes;
}

TVexoGrid_rowInfo::Extras& TVexoGrid_rowInfo::extras() {
    if (!extras_) extras_ = std::make_unique<Extras>();
    return *extras_;
}

int TVexoGrid_rowInfo::image() const {
    return extras_ ? extras_->image : -1;
}

void TVexoGrid_rowInfo::setImage(int index) {
    if (extras_ || index != -1) extras().image = index;
}

int TVexoGrid_rowInfo::rowAttr() const {
    return extras_ ? extras_->rowAttr : -1;
}

void TVexoGrid_rowInfo::setRowAttr(int index) {
    if (extras_ || index != -1) extras().rowAttr = index;
}

const std::string& TVexoGrid_rowInfo::itemData(int slot) const {
    if (!extras_ || slot < 0 || slot >= static_cast<int>(extras_->itemData.size())) return emptyText;
    return extras_->itemData[static_cast<std::size_t>(slot)];
}

void TVexoGrid_rowInfo::setItemData(int slot, const std::string& text) {
    checkIndex(slot, MaxItemData, "item data");
    if (text.empty() && (!extras_ || slot >= static_cast<int>(extras_->itemData.size()))) return;
    auto& data = extras().itemData;
    if (slot >= static_cast<int>(data.size())) data.resize(static_cast<std::size_t>(slot) + 1);
    data[static_cast<std::size_t>(slot)] = text;
}

int TVexoGrid_rowInfo::cellCount() const {
    return cells_ ? static_cast<int>(readU32(cells_)) : 0;
}

std::string_view TVexoGrid_rowInfo::cellText(int i) const {
    const int n = cellCount();
    if (i < 0 || i >= n) return {};
    const char* buf = cells_;
    const char* text = buf + sizeof(u32) * (static_cast<std::size_t>(n) + 1);
    const u32 begin = i == 0 ? 0 : readU32(buf + sizeof(u32) * static_cast<std::size_t>(i));
    const u32 end = readU32(buf + sizeof(u32) * (static_cast<std::size_t>(i) + 1));
    return {text + begin, end - begin};
}

void TVexoGrid_rowInfo::setCell(int i, std::string_view value) {
    checkIndex(i, MaxCells, "cell");
    const int oldCount = cellCount();
    if (i >= oldCount && value.empty()) return; // reads as empty already
    const int newCount = i >= oldCount ? i + 1 : oldCount;

    const std::size_t oldHeader = headerSize(oldCount);
    const std::size_t newHeader = headerSize(newCount);
    const std::string_view old = cellText(i);
    const u32 oldTotal = oldCount ? readU32(cells_ + sizeof(u32) * static_cast<std::size_t>(oldCount)) : 0;
    const std::size_t newTotal = oldTotal - old.size() + value.size();
    if (newTotal > UINT32_MAX) throw std::bad_alloc();
    const std::size_t newSize = newHeader + newTotal;

    if (!cells_ && newSize <= InlineBytes) {
        cells_ = inline_;
        writeU32(cells_, 0);
    }
    if (cells_ && newSize <= capacity()) {
        // In place. Either the cell count stays (only the texts after cell i move) or cell i is
        // a new last cell (only the texts before it move, to make room for the longer header).
        char* buf = cells_;
        const std::size_t before =
            i < oldCount ? static_cast<std::size_t>(old.data() - (buf + oldHeader)) : oldTotal;
        const std::size_t after = oldTotal - before - old.size();
        if (newHeader != oldHeader) std::memmove(buf + newHeader, buf + oldHeader, before);
        if (after)
            std::memmove(buf + newHeader + before + value.size(), buf + oldHeader + before + old.size(),
                         after);
        if (!value.empty()) std::memcpy(buf + newHeader + before, value.data(), value.size());
        const auto grow = static_cast<std::int64_t>(value.size()) - static_cast<std::int64_t>(old.size());
        writeU32(buf, static_cast<u32>(newCount));
        for (int c = std::min(i, oldCount); c < newCount; ++c) {
            char* end = buf + sizeof(u32) * (static_cast<std::size_t>(c) + 1);
            if (c >= oldCount)
                writeU32(end, static_cast<u32>(c == i ? before + value.size() : before));
            else
                writeU32(end, static_cast<u32>(static_cast<std::int64_t>(readU32(end)) + grow));
        }
        return;
    }

    // A heap buffer with room to spare: rows are usually filled one cell after the other, and the
    // slack lets most of those writes stay in place.
    const std::size_t capacity = newSize + 32 + newSize / 8;
    char* buf = static_cast<char*>(std::malloc(capacity));
    if (!buf) throw std::bad_alloc();
    writeU32(buf, static_cast<u32>(newCount));
    char* text = buf + newHeader;
    u32 pos = 0;
    for (int c = 0; c < newCount; ++c) {
        const std::string_view piece = c == i ? value : cellText(c);
        if (!piece.empty()) std::memcpy(text + pos, piece.data(), piece.size());
        pos += static_cast<u32>(piece.size());
        writeU32(buf + sizeof(u32) * (static_cast<std::size_t>(c) + 1), pos);
    }
    if (flag(HeapCellsBit)) std::free(cells_);
    cells_ = buf;
    setFlag(HeapCellsBit, true);
}

bool TVexoGrid_rowInfo::isNull(int i) const {
    if (i < 0 || i >= MaxCells) return true;
    return (bits_ >> i) & 1u;
}

void TVexoGrid_rowInfo::setNull(int i, bool value) {
    checkIndex(i, MaxCells, "cell");
    setFlag(i, value);
}

bool TVexoGrid_rowInfo::joined(int i) const {
    if (!extras_ || i < 0 || i >= MaxCells) return false;
    return (extras_->joined >> i) & 1u;
}

void TVexoGrid_rowInfo::setJoined(int i, bool value) {
    checkIndex(i, MaxCells, "cell");
    if (!value && !extras_) return;
    if (value)
        extras().joined |= std::uint64_t{1} << i;
    else
        extras_->joined &= ~(std::uint64_t{1} << i);
}

int TVexoGrid_rowInfo::cellAttr(int i) const {
    if (!extras_ || i < 0 || i >= static_cast<int>(extras_->cellAttr.size())) return -1;
    return extras_->cellAttr[static_cast<std::size_t>(i)];
}

void TVexoGrid_rowInfo::setCellAttr(int i, int index) {
    checkIndex(i, MaxCells, "cell");
    if (index == -1 && cellAttr(i) == -1) return;
    auto& attrs = extras().cellAttr;
    if (i >= static_cast<int>(attrs.size())) attrs.resize(static_cast<std::size_t>(i) + 1, -1);
    attrs[static_cast<std::size_t>(i)] = index;
}

const std::string& TVexoGrid_rowInfo::backColors() const {
    return extras_ ? extras_->backColors : emptyText;
}

void TVexoGrid_rowInfo::setBackColors(const std::string& text) {
    if (extras_ || !text.empty()) extras().backColors = text;
}

std::size_t TVexoGrid_rowInfo::heapBytes() const {
    std::size_t bytes = flag(HeapCellsBit) ? malloc_usable_size(cells_) : 0;
    if (extras_) {
        bytes += sizeof(Extras) + extras_->backColors.capacity();
        for (const auto& s : extras_->itemData)
            bytes += sizeof(std::string) + s.capacity();
        bytes += extras_->cellAttr.capacity() * sizeof(int);
    }
    return bytes;
}

} // namespace vexo
