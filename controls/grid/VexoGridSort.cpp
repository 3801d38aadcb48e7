// How it works: SortBy resolves its keys against the columns first (SortKeys), so that a key naming
// no column raises before any row moves. It then computes every row's key values once (numbers for
// the numeric types, collation keys for texts, laid back to back in one buffer per key), sorts
// small entries (a row's index and the first bytes of its first text key) with the row index as the
// last tie-break so that equal rows keep their order, and rewrites the block array's pointer list,
// so records never move in memory. theColSort compares two records directly under the keys of the
// sort in progress. FindColumnText walks the rows once, circularly from the row after the current
// one, comparing search forms (upper case, no accents).
#include "controls/grid/VexoGrid.h"

#include "controls/grid/VGSearchText.h"
#include "framework/core/Collation.h"
#include "framework/core/Exception.h"
#include "framework/core/ScopeGuard.h"
#include "framework/core/SysUtils.h"
#include "values/VexoConvert.h"
#include "values/sArray.h"
#include "values/sDB_date.h"
#include "values/sDB_time.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace vexo {

namespace {

int sign(double v) {
    return (v > 0) - (v < 0);
}

} // namespace

// The keys of one SortBy, resolved against the columns, and each row's key values computed once.
class TVexoGrid::SortKeys {
public:
    enum Kind { ItemData, Text, Date, Time, Boolean, Integer, Number, Money };
    struct Key {
        Kind kind;
        int index; // item-data slot or column index
    };

    SortKeys(const TVexoGrid& grid, const std::string& keys) {
        sArray names;
        names.split(keys, ",");
        for (int i = 0; i < names.count(); ++i) {
            const std::string& name = names.get(i);
            if (!name.empty() && name[0] == '#') {
                const int slot = name.size() > 1 && name[1] >= '0' && name[1] <= '9' ? name[1] - '0' : 0;
                keys_.push_back({ItemData, slot});
                continue;
            }
            const int col = grid.FindOrderColumn(name);
            if (col < 0) throw EListError("SortBy: no column has the field name '" + name + "'");
            keys_.push_back({kindOf(grid.Columns()->Items(col)->DataType()), col});
        }
    }

    bool empty() const { return keys_.empty(); }

    // Compares two records directly, converting their texts on the way.
    int compare(const TVexoGrid_rowInfo* a, const TVexoGrid_rowInfo* b) const {
        for (const Key& key : keys_) {
            int r;
            if (key.kind == ItemData || key.kind == Text) {
                r = AnsiCompareText(std::string(text(a, key)), std::string(text(b, key)));
            } else {
                r = sign(number(key.kind, text(a, key)) - number(key.kind, text(b, key)));
            }
            if (r != 0) return r;
        }
        return 0;
    }

    // The order of the rows by these keys; equal rows keep their relative order.
    std::vector<TVexoGrid_rowInfo*> order(const VGRowStore& rows) const {
        const int n = rows.count();
        const auto un = static_cast<std::size_t>(n);
        std::vector<TVexoGrid_rowInfo*> records(un);
        for (int i = 0; i < n; ++i)
            records[static_cast<std::size_t>(i)] = rows.get(i);

        // One column of precomputed values per key: numbers for the numeric kinds; for the texts,
        // their collation keys back to back in one buffer, with each row's end offset.
        const std::size_t k = keys_.size();
        std::vector<std::vector<double>> numbers(k);
        std::vector<std::string> collation(k);
        std::vector<std::vector<std::uint32_t>> ends(k);
        for (std::size_t j = 0; j < k; ++j) {
            const Key& key = keys_[j];
            if (isText(key)) {
                ends[j].reserve(un);
                for (TVexoGrid_rowInfo* r : records) {
                    AppendTextSortKey(text(r, key), collation[j]);
                    if (collation[j].size() > UINT32_MAX) throw std::bad_alloc();
                    ends[j].push_back(static_cast<std::uint32_t>(collation[j].size()));
                }
            } else {
                numbers[j].reserve(un);
                for (TVexoGrid_rowInfo* r : records)
                    numbers[j].push_back(number(key.kind, text(r, key)));
            }
        }
        auto collationKey = [&](std::size_t j, std::size_t row) {
            const std::uint32_t begin = row ? ends[j][row - 1] : 0;
            return std::string_view(collation[j]).substr(begin, ends[j][row] - begin);
        };
        auto compareRows = [&](std::size_t x, std::size_t y) {
            for (std::size_t j = 0; j < k; ++j) {
                int r;
                if (isText(keys_[j])) {
                    r = collationKey(j, x).compare(collationKey(j, y));
                    r = r != 0 ? sign(r)
                               : BreakTextTie(text(records[x], keys_[j]), text(records[y], keys_[j]));
                } else {
                    r = sign(numbers[j][x] - numbers[j][y]);
                }
                if (r != 0) return r;
            }
            return 0;
        };

        // What is sorted: each row with the start of its first key, so that most comparisons read
        // nothing but the two entries: the first 32 bytes of a text's collation key (keys hold no
        // zero byte, so the zeros after a short key order it before any longer one it begins), or
        // a number's bits in an order-preserving form.
        struct Entry {
            std::uint64_t prefix[4] = {};
            std::uint32_t row = 0;
        };
        std::vector<Entry> entries(un);
        for (std::size_t i = 0; i < un; ++i) {
            Entry& entry = entries[i];
            entry.row = static_cast<std::uint32_t>(i);
            if (k == 0) continue;
            if (!isText(keys_[0])) {
                entry.prefix[0] = orderedBits(numbers[0][i]);
                continue;
            }
            unsigned char bytes[sizeof entry.prefix] = {};
            const std::string_view key = collationKey(0, i);
            std::memcpy(bytes, key.data(), std::min(key.size(), sizeof bytes));
            for (std::size_t w = 0; w < 4; ++w)
                for (std::size_t b = 0; b < 8; ++b)
                    entry.prefix[w] = entry.prefix[w] << 8 | bytes[w * 8 + b];
        }
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            for (std::size_t w = 0; w < 4; ++w)
                if (a.prefix[w] != b.prefix[w]) return a.prefix[w] < b.prefix[w];
            const int r = compareRows(a.row, b.row);
            return r != 0 ? r < 0 : a.row < b.row; // equal rows keep their order
        });

        std::vector<TVexoGrid_rowInfo*> sorted(un);
        for (std::size_t i = 0; i < un; ++i)
            sorted[i] = records[entries[i].row];
        return sorted;
    }

private:
    static Kind kindOf(VGDataType type) {
        switch (type) {
        case vgDate:
            return Date;
        case vgTime:
            return Time;
        case vgBoolean:
            return Boolean;
        case vgInteger:
            return Integer;
        case vgFloat:
            return Number;
        case vgMoney:
            return Money;
        default:
            return Text;
        }
    }

    static bool isText(const Key& key) { return key.kind == ItemData || key.kind == Text; }

    // A double's bits as an unsigned integer in the double's order; -0 counts as 0, as the
    // comparison of numbers has it, and a NaN sorts at one end.
    static std::uint64_t orderedBits(double v) {
        if (v == 0) v = 0;
        const auto bits = std::bit_cast<std::uint64_t>(v);
        return bits >> 63 ? ~bits : bits | std::uint64_t{1} << 63;
    }

    static std::string_view text(const TVexoGrid_rowInfo* row, const Key& key) {
        if (key.kind == ItemData) return row->itemData(key.index);
        return row->isNull(key.index) ? std::string_view() : row->cellText(key.index);
    }

    static double number(Kind kind, std::string_view view) {
        const std::string t(view);
        switch (kind) {
        case Date: {
            sDB_date d;
            d.setText(t);
            return d.dayNumber();
        }
        case Time: {
            sDB_time tm;
            tm.setText(t);
            return tm.minutes();
        }
        case Boolean:
            return textToBool(t) ? 1 : 0;
        case Integer:
            return StrToIntDef(t, 0);
        case Number:
            return textToFloat(t);
        case Money:
            try {
                return textToMoney(t);
            } catch (const EConvertError&) {
                return 0; // unreadable money sorts like an unreadable integer
            }
        default:
            return 0;
        }
    }

    std::vector<Key> keys_;
};

void TVexoGrid::SortBy(const std::string& keys) {
    const SortKeys sortKeys(*this, keys); // raises for an unknown column before anything moves
    if (!sortKeys.empty()) {
        activeSort_ = &sortKeys;
        const ScopeGuard endSort([this] { activeSort_ = nullptr; });
        rows_.reorder(sortKeys.order(rows_));
    }
    repaintSurface(false);
}

int TVexoGrid::theColSort(const TVexoGrid_rowInfo* a, const TVexoGrid_rowInfo* b) const {
    if (!activeSort_ || !a || !b) return 0;
    return activeSort_->compare(a, b);
}

bool TVexoGrid::FindColumnText(const std::string& text, const std::string& columns) {
    const int count = rows_.count();
    if (count == 0 || text.empty()) return false;
    std::string needle;
    searchForm(text, needle);
    if (needle.empty()) return false;

    std::vector<int> cols;
    sArray names;
    names.split(columns, ",");
    for (int i = 0; i < names.count(); ++i)
        cols.push_back(StrToIntDef(names.get(i), 0));

    const bool wholeWalk = rowIndex_ < 0;
    int start, stop;
    if (wholeWalk) {
        SetRowIndex(0);
        start = 0;
        stop = 0;
    } else {
        start = rowIndex_ + 1 < count ? rowIndex_ + 1 : 0;
        stop = rowIndex_;
    }
    std::string hay;
    int row = start;
    // With no current row the walk covers every row and stops on coming back to row 0; otherwise
    // it stops on reaching the current row, which is not examined.
    bool first = wholeWalk;
    while (first || row != stop) {
        first = false;
        const TVexoGrid_rowInfo* info = rows_.get(row);
        for (int col : cols) {
            if (info->isNull(col)) continue;
            searchForm(info->cellText(col), hay);
            if (hay.find(needle) != std::string::npos) {
                SetRowIndex(row);
                EnsureRowVisible(row);
                return true;
            }
        }
        row = row + 1 < count ? row + 1 : 0;
    }
    return false;
}

} // namespace vexo
