#pragma once
// One row record of the grid: flags, item data, cell texts with their null flags, per-cell
// attribute indexes and span flags, and the per-cell colour text.
//
// How it is kept small: a row costs one 64-bit word (the 36 null flags, the row flags and the
// cell count), a cell buffer and one pointer to an "extras" block. The cell buffer holds only the
// cells up to the highest one written: their texts back to back from its start, and the end offset
// of each cell from its end backwards, so that writing the next cell of a row being filled moves
// nothing. It lives inside the record while it fits and on the heap once it does not (the record
// then holds the heap buffer's address). Everything rarer lives in the extras block, which exists
// only once one of them differs from its default: the row's RowData (item data slot 0, which a
// data-bound grid sets on every row) alone, and behind one more pointer the rest (other item data,
// image, attribute indexes, span flags, colour text).
#include <cstdint>
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
    const std::string& itemData(int slot) const;
    void setItemData(int slot, const std::string& text);

    // The stored text of cell i, whatever its null flag; empty for a cell never written.
    std::string_view cellText(int i) const;
    std::string cell(int i) const { return std::string(cellText(i)); }
    // Stores the text only; the null flag is separate, as the grid's SetString clears it itself.
    // Cells outside 0..35 read as empty null cells; writing one raises EListError.
    void setCell(int i, std::string_view text);
    bool isNull(int i) const;
    void setNull(int i, bool value);
    void setAllNull() { bits_ |= NullMask; }
    // One past the highest cell that holds a buffer slot.
    int cellCount() const;

    bool joined(int i) const;
    void setJoined(int i, bool value);
    int cellAttr(int i) const;
    void setCellAttr(int i, int index);
    const std::string& backColors() const;
    void setBackColors(const std::string& text);

    // Heap bytes owned beyond the record itself (buffer and extras), for memory accounting.
    std::size_t heapBytes() const;

private:
    static constexpr std::uint64_t NullMask = (std::uint64_t{1} << MaxCells) - 1;
    static constexpr int SelectedBit = 36, CheckedBit = 37, UnicolumnBit = 38, NoCheckBoxBit = 39;
    static constexpr int HeapCellsBit = 40;
    static constexpr int CountShift = 41; // 6 bits: the cell count, 0..36
    static constexpr std::uint64_t CountMask = std::uint64_t{63} << CountShift;

    struct Extras;
    struct Rare;
    // Room inside the record for the cells of a typical row (a handful of short texts), so that
    // most rows allocate nothing of their own; longer rows move their cells to the heap.
    static constexpr std::size_t InlineBytes = 144;
    struct Buffer {
        char* data;
        std::size_t capacity;
    };
    Buffer buffer() const;
    char* heap() const;
    void setCount(int count) { bits_ = (bits_ & ~CountMask) | (std::uint64_t(count) << CountShift); }

    bool flag(int bit) const { return (bits_ >> bit) & 1u; }
    void setFlag(int bit, bool value) {
        if (value)
            bits_ |= std::uint64_t{1} << bit;
        else
            bits_ &= ~(std::uint64_t{1} << bit);
    }
    Extras& extras();
    Rare& rare();
    const Rare* rareIfAny() const;

    std::uint64_t bits_ = NullMask;
    std::unique_ptr<Extras> extras_;
    // The cells, or with HeapCellsBit the address of a malloc'ed block: its capacity as a size_t,
    // then the buffer.
    alignas(std::uint64_t) char inline_[InlineBytes];
};

} // namespace vexo
