#pragma once
// One row record of the grid: flags, item data, cell texts with their null flags, per-cell
// attribute indexes and span flags, and the per-cell colour text.
//
// How it is kept small: a row costs one 64-bit word (the 36 null flags, the row flags and the
// text count), a text buffer and one pointer to a block of rarer things. The buffer holds the
// row's RowData (item data slot 0, which a data-bound grid sets on every row) and then its cells,
// up to the highest one written: the texts back to back from its start, and the end offset of each
// text from its end backwards, so that writing the next cell of a row being filled moves nothing.
// It lives inside the record while it fits and on the heap once it does not (the record then holds
// the heap buffer's address). The rest (other item data, image, attribute indexes, span flags,
// colour text) lives in the block of rarer things, which exists only once one of them differs from
// its default.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace vexo {

class TVexoGrid_rowInfo {
public:
    static constexpr int MaxCells = 36;
    static constexpr int MaxItemData = 10;

    TVexoGrid_rowInfo();
    ~TVexoGrid_rowInfo();
    TVexoGrid_rowInfo(const TVexoGrid_rowInfo&) = delete;
    TVexoGrid_rowInfo& operator=(const TVexoGrid_rowInfo&) = delete;

    bool selected() const { return flag(SelectedBit); }
    void setSelected(bool value) { setFlag(SelectedBit, value); }
    bool checked() const { return flag(CheckedBit); }
    void setChecked(bool value) { setFlag(CheckedBit, value); }
    bool unicolumn() const { return flag(UnicolumnBit); }
    void setUnicolumn(bool value) { setFlag(UnicolumnBit, value); }
    bool noCheckBox() const { return flag(NoCheckBoxBit); }
    void setNoCheckBox(bool value) { setFlag(NoCheckBoxBit, value); }
    int image() const;
    void setImage(int index);
    int rowAttr() const;
    void setRowAttr(int index);

    // Slot 0 is the row's RowData. Slots outside 0..9 read empty; writing one raises EListError.
    // The view is valid until the row's texts change.
    std::string_view itemData(int slot) const;
    void setItemData(int slot, std::string_view text);

    // The stored text of cell i, whatever its null flag; empty for a cell never written.
    std::string_view cellText(int i) const;
    std::string cell(int i) const { return std::string(cellText(i)); }
    // Stores the text only; the null flag is separate, as the grid's SetString clears it itself.
    // Cells outside 0..35 read as empty null cells; writing one raises EListError.
    void setCell(int i, std::string_view text);
    // Filling a row in place: the address where the text of cell i, when it is the row's next
    // cell, can be written directly (up to room bytes), or nullptr when it is not the next cell or
    // does not fit (setCell then does the work). commitNextCell stores the length written there.
    char* nextCellRoom(int i, std::size_t room) {
        if (i < 0 || i >= MaxCells) return nullptr;
        return nextTextRoom(i + 1, room);
    }
    void commitNextCell(int i, std::size_t length) { commitNextText(i + 1, length); }
    bool isNull(int i) const;
    void setNull(int i, bool value) {
        if (i < 0 || i >= MaxCells) [[unlikely]]
            cellIndexError(i);
        setFlag(i, value);
    }
    void setAllNull() { bits_ |= NullMask; }
    // One past the highest cell that holds a buffer slot.
    int cellCount() const { return textCount() > 0 ? textCount() - 1 : 0; }

    bool joined(int i) const;
    void setJoined(int i, bool value);
    int cellAttr(int i) const;
    void setCellAttr(int i, int index);
    const std::string& backColors() const;
    void setBackColors(const std::string& text);

    // Heap bytes owned beyond the record itself (buffer and rarer things), for memory accounting.
    std::size_t heapBytes() const;

private:
    static constexpr std::uint64_t NullMask = (std::uint64_t{1} << MaxCells) - 1;
    static constexpr int SelectedBit = 36, CheckedBit = 37, UnicolumnBit = 38, NoCheckBoxBit = 39;
    static constexpr int HeapCellsBit = 40;
    static constexpr int CountShift = 41; // 6 bits: the text count, 0..37
    static constexpr std::uint64_t CountMask = std::uint64_t{63} << CountShift;

    struct Rare;
    // Room inside the record for the cells of a typical row (a handful of short texts), so that
    // most rows allocate nothing of their own; longer rows move their cells to the heap.
    static constexpr std::size_t InlineBytes = 144;
    struct Buffer {
        char* data;
        std::size_t capacity;
    };
    Buffer buffer() const {
        if (!flag(HeapCellsBit)) return {const_cast<char*>(inline_), InlineBytes};
        char* block = heap();
        std::size_t capacity;
        std::memcpy(&capacity, block, sizeof capacity);
        return {block + sizeof capacity, capacity};
    }
    char* heap() const {
        char* block;
        std::memcpy(&block, inline_, sizeof block);
        return block;
    }
    [[noreturn]] static void cellIndexError(int i);
    // Texts by index k: 0 is the RowData, k = i + 1 is cell i.
    int textCount() const { return static_cast<int>((bits_ & CountMask) >> CountShift); }
    void setCount(int count) { bits_ = (bits_ & ~CountMask) | (std::uint64_t(count) << CountShift); }
    std::string_view text(int k) const;
    void setText(int k, std::string_view value);
    // The end offset of text k, stored from the buffer's end backwards.
    static char* endSlot(const Buffer& buf, int k) {
        return buf.data + buf.capacity - sizeof(std::uint32_t) * (static_cast<std::size_t>(k) + 1);
    }
    // Where the first count texts end: the offset just past text count - 1.
    static std::uint32_t textEnd(const Buffer& buf, int count) {
        std::uint32_t end = 0;
        if (count) std::memcpy(&end, endSlot(buf, count - 1), sizeof end);
        return end;
    }
    // The next text of a row being filled; a row's first cell also stands for the empty RowData
    // before it, so that a row without RowData is filled in place too.
    char* nextTextRoom(int k, std::size_t room) {
        const int n = textCount();
        if (k != n && !(k == 1 && n == 0)) return nullptr;
        const Buffer buf = buffer();
        const std::uint32_t total = textEnd(buf, n);
        if (total + room + sizeof(std::uint32_t) * (static_cast<std::size_t>(k) + 1) > buf.capacity)
            return nullptr;
        return buf.data + total;
    }
    void commitNextText(int k, std::size_t length) {
        const int n = textCount();
        const Buffer buf = buffer();
        const auto end = static_cast<std::uint32_t>(textEnd(buf, n) + length);
        if (n == 0 && k == 1) std::memset(endSlot(buf, 0), 0, sizeof end);
        std::memcpy(endSlot(buf, k), &end, sizeof end);
        setCount(k + 1);
    }

    bool flag(int bit) const { return (bits_ >> bit) & 1u; }
    void setFlag(int bit, bool value) {
        if (value)
            bits_ |= std::uint64_t{1} << bit;
        else
            bits_ &= ~(std::uint64_t{1} << bit);
    }
    Rare& rare();
    const Rare* rareIfAny() const { return rare_.get(); }

    std::uint64_t bits_ = NullMask;
    std::unique_ptr<Rare> rare_;
    // The cells, or with HeapCellsBit the address of a malloc'ed block: its capacity as a size_t,
    // then the buffer.
    alignas(std::uint64_t) char inline_[InlineBytes];
};

} // namespace vexo
