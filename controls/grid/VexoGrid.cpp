// How it works: the rows live in a block array of compact row records (VexoGridRowInfo.h); every
// operation that moves the current row goes through SetRowIndex, which raises the exit of the
// old row before the enter of the new one. Geometry reads the painting surface's client size and
// column edges; the surface is told to recompute its extent after any change of rows, columns or
// scroll position. Sorting computes every row's key values once (SortKeys), sorts row indexes by
// them and then rewrites the block array's pointer list, so records never move in memory.
// Input does not come through the grid's own window handlers: the application message hook hands
// every queued message to DesvioMensajes first, which acts on those for the grid's window and the
// surface's, and drops what it consumed. In multi-select mode the current row field doubles as the
// anchor of range selections and is then written without row events.
#include "controls/grid/VexoGrid.h"

#include "controls/common/AppMsgHandler.h"
#include "controls/grid/GridProperties.h"
#include "controls/grid/VGEdit.h"
#include "controls/grid/VGHead.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VGSearchText.h"
#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/TImageList.h"
#include "framework/windows/WinApi.h"
#include "values/VexoConvert.h"
#include "values/sArray.h"
#include "values/sDB_date.h"
#include "values/sDB_time.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

namespace vexo {

namespace {

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int sign(long long v) {
    return (v > 0) - (v < 0);
}
int sign(double v) {
    return (v > 0) - (v < 0);
}

// Must order exactly as AnsiCompareText: the same collator settings, and the same fallback to a
// plain case-insensitive comparison when the collator calls two texts equal.
const QCollator& textCollator() {
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Spanish, QLocale::Spain));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
        sArray parts;
        parts.split(keys, ",");
        for (int i = 0; i < parts.count(); ++i) {
            const std::string& name = parts.get(i);
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
        std::vector<TVexoGrid_rowInfo*> records(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            records[static_cast<std::size_t>(i)] = rows.get(i);

        // One column of precomputed values per key: numbers for the numeric kinds, collation
        // keys for the texts.
        const std::size_t k = keys_.size();
        std::vector<std::vector<double>> numbers(k);
        std::vector<std::vector<QCollatorSortKey>> collation(k);
        for (std::size_t j = 0; j < k; ++j) {
            const Key& key = keys_[j];
            if (key.kind == ItemData || key.kind == Text) {
                collation[j].reserve(static_cast<std::size_t>(n));
                for (TVexoGrid_rowInfo* r : records)
                    collation[j].push_back(textCollator().sortKey(toQString(text(r, key))));
            } else {
                numbers[j].reserve(static_cast<std::size_t>(n));
                for (TVexoGrid_rowInfo* r : records)
                    numbers[j].push_back(number(key.kind, text(r, key)));
            }
        }

        std::vector<int> index(static_cast<std::size_t>(n));
        std::iota(index.begin(), index.end(), 0);
        std::stable_sort(index.begin(), index.end(), [&](int x, int y) {
            const auto ux = static_cast<std::size_t>(x), uy = static_cast<std::size_t>(y);
            for (std::size_t j = 0; j < k; ++j) {
                int r;
                if (!collation[j].empty()) {
                    r = sign(static_cast<long long>(collation[j][ux].compare(collation[j][uy])));
                    if (r == 0) r = textTie(records[ux], records[uy], keys_[j]);
                } else {
                    r = sign(numbers[j][ux] - numbers[j][uy]);
                }
                if (r != 0) return r < 0;
            }
            return false;
        });

        std::vector<TVexoGrid_rowInfo*> sorted(static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < index.size(); ++i)
            sorted[i] = records[static_cast<std::size_t>(index[i])];
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

    static std::string_view text(const TVexoGrid_rowInfo* row, const Key& key) {
        if (key.kind == ItemData) return row->itemData(key.index);
        return row->isNull(key.index) ? std::string_view() : row->cellText(key.index);
    }

    // Equal collation keys: the same fallback AnsiCompareText uses.
    static int textTie(const TVexoGrid_rowInfo* a, const TVexoGrid_rowInfo* b, const Key& key) {
        const std::string_view ta = text(a, key), tb = text(b, key);
        if (ta == tb) return 0;
        return sign(
            static_cast<long long>(QString::compare(toQString(ta), toQString(tb), Qt::CaseInsensitive)));
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

TVexoGrid::TVexoGrid(TComponent* owner)
    : TCustomControl(owner), columns_(std::make_unique<TVGColumnCollection>(this)),
      attrUnicolumn_(std::make_unique<TFontAttr>()), fontAttrs_(std::make_unique<TFontAttrs>()) {
    RegisterGridClasses();
    SetTabStop(true);
    head_ = new TVGHead(this);
    head_->SetColor(colorHead_);
    surface_ = new TVGScrollBox(this);
    surface_->SetColor(colorBk_);
    if (!designing()) editor_ = new TVGEdit(this);
    SetBounds(Left(), Top(), 100, 100);
    SetParentColor(true);
}

TVexoGrid::~TVexoGrid() = default;

void TVexoGrid::SetColumns(const TVGColumnCollection* columns) {
    if (columns) columns_->Assign(columns);
}

void TVexoGrid::repaintSurface(bool eraseAll) {
    surface_->UpdateExtent(eraseAll);
}

void TVexoGrid::paintRow(int row) {
    surface_->PaintRow(row);
}

// ---- rows and cells ----

void TVexoGrid::AddRow(const std::string& data) {
    rows_.add()->setItemData(0, data);
    if (!col100x100_.empty() && Visible()) UpdateColumns();
    // Filling adds rows one at a time; only the vertical extent depends on their number.
    surface_->UpdateRowExtent();
}

void TVexoGrid::InsertAt(int index, const std::string& data) {
    rows_.insert(index)->setItemData(0, data);
    repaintSurface(false);
}

void TVexoGrid::Clear() {
    rowIndex_ = -1;
    rowTop_ = -1;
    rows_.clear();
    repaintSurface(true);
}

void TVexoGrid::DeleteRow(int index) {
    rows_.get(index); // a bad index raises here, before any event
    if (index == rowIndex_) {
        doRowExit(index);
        rowIndex_ = -1;
    }
    rows_.remove(index);
    // The current record moved up with the rows below the deleted one; an index left beyond the
    // rows would point at nothing, so it follows its record onto the last row.
    if (rowIndex_ >= rows_.count()) rowIndex_ = rows_.count() - 1;
    repaintSurface(true);
}

void TVexoGrid::SetString(int row, int col, std::string_view text) {
    TVexoGrid_rowInfo* info = rows_.get(row);
    info->setNull(col, false);
    info->setCell(col, text);
}

void TVexoGrid::AddString(int col, std::string_view text) {
    SetString(rows_.count() - 1, col, text);
}

std::string TVexoGrid::GetString(int row, int col) const {
    const TVexoGrid_rowInfo* info = rows_.get(row);
    return info->isNull(col) ? std::string() : info->cell(col);
}

std::string TVexoGrid::GetRowData(int row) const {
    return rows_.get(row)->itemData(0);
}

void TVexoGrid::SetRowData(int row, const std::string& data) {
    rows_.get(row)->setItemData(0, data);
}

bool TVexoGrid::GetIsRowUnicolumn(int row) const {
    return rows_.get(row)->unicolumn();
}

// ---- current row, selection, check marks ----

void TVexoGrid::SetRowIndex(int index) {
    if (index < -1) index = -1;
    if (index == rowIndex_) return;
    if (index >= rows_.count()) index = rows_.count() - 1;
    if (index == rowIndex_) return; // lowered onto the current row: nothing moves
    if (multiselect_) RowSelectedClear();
    if (rowIndex_ >= 0) {
        const int old = rowIndex_;
        rows_.get(old)->setSelected(false);
        paintRow(old);
        doRowExit(old);
    }
    rowIndex_ = index;
    if (index < 0) return;
    rowModified_ = false;
    rows_.get(index)->setSelected(true);
    paintRow(index);
    doRowEnter();
}

bool TVexoGrid::GetRowSelected(int row) const {
    return rows_.get(row)->selected();
}

void TVexoGrid::SetRowSelected(int row, bool flag) {
    if (!multiselect_) return;
    rows_.get(row)->setSelected(flag);
    paintRow(row);
}

void TVexoGrid::RowSelectedClear() {
    for (int i = 0; i < rows_.count(); ++i)
        rows_.get(i)->setSelected(false);
    rowIndex_ = -1;
    surface_->Invalidate();
}

int TVexoGrid::GetRowSelectedCount() const {
    int n = 0;
    for (int i = 0; i < rows_.count(); ++i)
        n += rows_.get(i)->selected();
    return n;
}

bool TVexoGrid::GetRowChecked(int row) const {
    const TVexoGrid_rowInfo* info = rows_.get(row);
    return info->checked() && !info->unicolumn();
}

void TVexoGrid::SetRowChecked(int row, bool flag) {
    if (!checkBoxes_) return;
    TVexoGrid_rowInfo* info = rows_.get(row);
    info->setChecked(flag && !info->unicolumn());
    paintRow(row);
}

void TVexoGrid::RowCheckedClear() {
    for (int i = 0; i < rows_.count(); ++i)
        rows_.get(i)->setChecked(false);
    rowIndex_ = -1;
    surface_->Invalidate();
}

int TVexoGrid::GetRowCheckedCount() const {
    int n = 0;
    for (int i = 0; i < rows_.count(); ++i)
        n += GetRowChecked(i);
    return n;
}

void TVexoGrid::doRowEnter() {
    if (OnRowEnter) OnRowEnter(rowIndex_);
}

void TVexoGrid::doRowExit(int row) {
    if (row == -1) row = rowIndex_;
    if (OnRowExit) OnRowExit(row, rowModified_);
}

void TVexoGrid::doCellModified() {
    if (OnCellModified) OnCellModified(rowIndex_, colIndex_);
}

// ---- lookup ----

TVGColumn* TVexoGrid::FindColumn(const std::string& name) const {
    const int i = FindOrderColumn(name);
    return i < 0 ? nullptr : columns_->Items(i);
}

int TVexoGrid::FindOrderColumn(const std::string& name) const {
    const std::string key = AnsiUpperCase(name);
    for (int i = 0; i < columns_->Count(); ++i)
        if (AnsiUpperCase(columns_->Items(i)->FieldName()) == key) return i;
    return -1;
}

int TVexoGrid::FindRowByItemData(const std::string& text, int slot) const {
    for (int i = 0; i < rows_.count(); ++i)
        if (rows_.get(i)->itemData(slot) == text) return i;
    return -1;
}

bool TVexoGrid::SelectRowByItemData(const std::string& text, int slot) {
    const int row = FindRowByItemData(text, slot);
    if (row < 0) return false;
    SetRowIndex(row);
    EnsureRowVisible(row);
    return true;
}

// ---- refresh bracket ----

void TVexoGrid::PreRefresh() {
    refreshStartMs_ = nowMs();
    savedRow_ = rowIndex_;
    savedTop_ = rowTop_;
    savedData_ = rowIndex_ >= 0 && rowIndex_ < rows_.count() ? GetRowData(rowIndex_) : std::string();
    surface_->Hide();
}

void TVexoGrid::PostRefresh() {
    const int count = rows_.count();
    rowIndex_ = -1;
    if (itemDataOnRefresh_) {
        // Without a row current before the refill there is nothing to follow; looking up the
        // empty text would make some unrelated row current.
        if (savedRow_ >= 0) SelectRowByItemData(savedData_, 0);
        if (rowIndex_ < 0 && count > 0 && savedRow_ >= 0) SetRowIndex(savedRow_);
        if (rowIndex_ == savedRow_ && savedTop_ != -1 && savedTop_ < count) SetRowTop(savedTop_);
    } else {
        if (savedRow_ != -1 && savedRow_ < count) SetRowIndex(savedRow_);
        if (savedTop_ != -1 && savedTop_ < count) SetRowTop(savedTop_);
    }
    surface_->Show();
    UpdateColumns();
    savedRow_ = -1;
    savedTop_ = -1;
    savedData_.clear();
    refreshTime_ = static_cast<double>(nowMs() - refreshStartMs_) * 0.001;
}

// ---- sorting and searching ----

void TVexoGrid::SortBy(const std::string& keys) {
    const SortKeys sortKeys(*this, keys); // raises for an unknown column before anything moves
    if (!sortKeys.empty()) {
        activeSort_ = &sortKeys;
        try {
            rows_.reorder(sortKeys.order(rows_));
        } catch (...) {
            activeSort_ = nullptr;
            throw;
        }
        activeSort_ = nullptr;
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
    sArray parts;
    parts.split(columns, ",");
    for (int i = 0; i < parts.count(); ++i)
        cols.push_back(StrToIntDef(parts.get(i), 0));

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

// ---- geometry ----

int TVexoGrid::GetRowTop() const {
    if (rowTop_ < 0) rowTop_ = 0;
    return rowTop_;
}

void TVexoGrid::SetRowTop(int top) {
    if (top < 0) top = 0;
    const int last = rows_.count() - GetNumOfEntireRows();
    if (last >= 0 && top > last) top = last;
    if (top == rowTop_ || last < 1) return;
    rowTop_ = top;
    repaintSurface(true);
}

int TVexoGrid::GetNumOfEntireRows() const {
    return surface_->ClientExtent(false) / rowHeight_;
}

int TVexoGrid::GetDiferenceRowHeight() const {
    return surface_->ClientExtent(false) % rowHeight_;
}

int TVexoGrid::RowForY(int y) const {
    const int row = GetRowTop() + y / rowHeight_;
    return row >= 0 && row < rows_.count() ? row : -1;
}

int TVexoGrid::ColForX(int x) const {
    const auto& edges = surface_->Edges();
    for (std::size_t i = 0; i + 1 < edges.size(); ++i)
        if (edges[i] <= x && edges[i + 1] >= x) return static_cast<int>(i);
    return -1;
}

void TVexoGrid::EnsureRowVisible(int row) {
    const int top = GetRowTop();
    const int entire = GetNumOfEntireRows();
    if (row >= top && row < top + entire) return;
    rowTop_ = row >= top ? row - entire + 1 : row;
    if (rows_.count() < rowTop_) rowTop_ = rows_.count() - entire;
    if (rowTop_ < 0) rowTop_ = 0;
    repaintSurface(false);
}

void TVexoGrid::EnsureColVisible(int col) {
    const auto& edges = surface_->Edges();
    if (col < 0 || static_cast<std::size_t>(col) + 1 >= edges.size()) return;
    const int left = edges[static_cast<std::size_t>(col)];
    const int right = edges[static_cast<std::size_t>(col) + 1];
    const int width = surface_->ClientExtent(true);
    if (left >= 0) {
        if (right <= width) return;
        surface_->SetHorzOffset(surface_->HorzOffset() + right - width);
    } else {
        surface_->SetHorzOffset(surface_->HorzOffset() + left);
    }
    repaintSurface(true);
}

void TVexoGrid::UpdateColumns() {
    if (!HandleAllocated() || layoutRunning_) return;
    layoutRunning_ = true;
    try {
        if (!col100x100_.empty()) {
            int w = surface_->ClientExtent(true) - 2;
            for (int i = 0; i < columns_->Count(); ++i) {
                TVGColumn* c = columns_->Items(i);
                if (c->FieldName() != col100x100_) w -= c->Width();
            }
            if (TVGColumn* stretched = FindColumn(col100x100_)) stretched->SetWidth(w);
        }
        int total = 0;
        for (int i = 0; i < columns_->Count(); ++i)
            total += columns_->Items(i)->Width();
        totalWidth_ = total;
        head_->SetTotalWidth(total);
        if (surface_->ClientExtent(true) > total) head_->SetScrollOffset(0);
        repaintSurface(false);
        OnUpdateColumns();
    } catch (...) {
        layoutRunning_ = false;
        throw;
    }
    layoutRunning_ = false;
}

void TVexoGrid::SetCol100x100(const std::string& name) {
    // A form file may list the stretched column before the columns themselves: judge the name
    // once every stored property is in.
    if (ComponentState().Contains(csLoading)) {
        pendingCol100x100_ = name;
        return;
    }
    if (!name.empty() && !FindColumn(name)) return;
    col100x100_ = name;
    UpdateColumns();
}

void TVexoGrid::MouseWheelRows(int wheelDelta) {
    const int notches = static_cast<std::int16_t>(wheelDelta) / 120;
    if (notches != 0) SetRowTop(GetRowTop() - notches);
}

// ---- colours and skins ----

void TVexoGrid::SetBkColor(TColor color) {
    colorBk_ = color;
    SetColor(color);
    surface_->SetColor(color);
    Invalidate();
}

void TVexoGrid::SetHdColor(TColor color) {
    colorHead_ = color;
    head_->SetColor(color);
    head_->Invalidate();
}

void TVexoGrid::SetSkinName(const std::string& name) {
    skinName_ = name;
    if (AnsiUpperCase(name) != "STD") return;
    attrUnicolumn_->SetColor(0x0080FF);
    attrUnicolumn_->SetColorSel(0xB3D9FF);
    attrUnicolumn_->SetStyles(attrUnicolumn_->Styles() << fsBold);
    SetBkColor(clWindow);
    colorBkSel_ = 0xFF8080;
    colorBkSelIn_ = 0xB1BBB0;
    SetHdColor(0xEBEBEB);
    colorText_ = clWindowText;
    colorTextSel_ = clHighlightText;
}

TColor TVexoGrid::GetBackColor(int row, int col) const {
    const std::string prefix = intToText(col) + ":";
    sArray entries;
    entries.split(rows_.get(row)->backColors(), ",");
    for (int i = 0; i < entries.count(); ++i)
        if (entries.get(i).rfind(prefix, 0) == 0) return textToColor(entries.get(i).substr(prefix.size()));
    return clNone;
}

void TVexoGrid::SetBackColor(int row, int col, TColor color) {
    TVexoGrid_rowInfo* info = rows_.get(row);
    const std::string prefix = intToText(col) + ":";
    sArray entries;
    entries.split(info->backColors(), ",");
    bool found = false;
    for (int i = 0; i < entries.count(); ++i) {
        if (entries.get(i).rfind(prefix, 0) != 0) continue;
        found = true;
        if (color == clNone)
            entries.remove(i);
        else
            entries.set(i, prefix + intToText(color));
        break;
    }
    if (!found) entries.add(prefix + intToText(color));
    info->setBackColors(entries.join(",", ""));
}

// ---- other properties ----

void TVexoGrid::SetRowHeight(int height) {
    if (height < 1) return;
    rowHeight_ = height;
    repaintSurface(true);
}

void TVexoGrid::SetMultiselect(bool value) {
    multiselect_ = value;
    if (value) checkBoxes_ = false;
    RowSelectedClear();
}

void TVexoGrid::SetCheckBoxes(bool value) {
    checkBoxes_ = value;
    if (value) multiselect_ = false;
    RowSelectedClear();
    UpdateColumns();
}

void TVexoGrid::SetCheckAreRadio(bool value) {
    checkAreRadio_ = value;
    surface_->Invalidate();
}

void TVexoGrid::SetLabelWrap(bool value) {
    labelWrap_ = value;
    UpdateColumns();
}

void TVexoGrid::SetShowHeader(bool value) {
    showHeader_ = value;
    head_->SetVisible(value);
}

void TVexoGrid::SetShowLines(bool value) {
    showLines_ = value;
    surface_->Invalidate();
}

void TVexoGrid::SetImages(TCustomImageList* images) {
    SetReference(images_, images);
    UpdateColumns();
}

void TVexoGrid::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (DropReference(images_, component, operation) && !ComponentState().Contains(csDestroying))
        UpdateColumns();
}

// ---- editing and focus ----

void TVexoGrid::StartEdit() {
    if (editable_ && editor_) editor_->EditAt(0);
}

bool TVexoGrid::getIsInEdit() const {
    return editor_ && editor_->Visible();
}

bool TVexoGrid::asLogicFocus() const {
    return logicFocus_ || (editor_ && editor_->Focused());
}

// ---- input ----

namespace {

// Mouse messages carry the keyboard as it is now: Shift and Ctrl, never the buttons or Alt.
TShiftState mouseShift() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift << ssCtrl;
    return shift;
}

} // namespace

void TVexoGrid::DesvioMensajes(MSG& message, bool& handled) {
    if (!message.hwnd || (message.hwnd != WindowHandle() && message.hwnd != surface_->WindowHandle())) return;
    const int x = GET_X_LPARAM(message.lParam);
    const int y = GET_Y_LPARAM(message.lParam);
    switch (message.message) {
    case WM_LBUTTONDOWN:
        handled = true;
        mouseDown_ = true;
        EventMouseDown(mbLeft, mouseShift(), x, y);
        return;
    case WM_MOUSEMOVE:
        handled = true;
        EventMouseMove(mouseShift(), x, y);
        return;
    case WM_LBUTTONUP:
        handled = true;
        EventMouseUp(mbLeft, mouseShift(), x, y); // acts on, and clears, the mouse-down flag
        return;
    case WM_LBUTTONDBLCLK:
        handled = true;
        if (OnDblClick) OnDblClick(this);
        return;
    case WM_KEYDOWN:
        handled = keyDown(static_cast<WORD>(message.wParam), KeyDataToShiftState(message.lParam));
        return;
    default:
        return; // characters, the right button and the wheel reach the windows as usual
    }
}

// Returns whether the key was consumed.
bool TVexoGrid::keyDown(WORD key, TShiftState shift) {
    const int count = rows_.count();
    if (key == VK_TAB || count == 0) return false;
    if (rowIndex_ < 0) {
        // The first key only finds the grid a current row; the key itself goes on.
        SetRowIndex(0);
        return false;
    }
    const int r = rowIndex_;
    bool handled = true;
    switch (key) {
    case VK_UP:
        if (r > 0) SetRowIndex(r - 1);
        break;
    case VK_DOWN:
        if (r + 1 < count) SetRowIndex(r + 1);
        break;
    case VK_PRIOR:
        SetRowIndex(std::max(r - GetNumOfEntireRows(), 0));
        break;
    case VK_NEXT:
        SetRowIndex(std::min(r + GetNumOfEntireRows(), count - 1));
        break;
    case VK_HOME:
        SetRowIndex(0);
        break;
    case VK_END:
        SetRowIndex(count - 1);
        break;
    case VK_SPACE:
        if (checkBoxes_) {
            TVexoGrid_rowInfo* info = rows_.get(r);
            info->setChecked(!info->checked());
            paintRow(r);
            if (OnRowChecking) OnRowChecking(r);
        }
        return true; // the row stays where it is: no scrolling
    case VK_F2:
        StartEdit();
        break;
    default:
        if (OnKeyDownEx) {
            handled = false;
            OnKeyDownEx(this, key, shift, handled);
        } else if (OnKeyDown) {
            WORD copy = key; // the handler cannot change the key the grid saw
            OnKeyDown(this, copy, shift);
        } else {
            handled = false;
        }
        break;
    }
    // A handler may have emptied the grid or left no row current: nothing to bring into view then.
    if (rowIndex_ >= 0 && rowIndex_ < rows_.count()) EnsureRowVisible(rowIndex_);
    return handled;
}

// Selects exactly the rows between from and to (either order) and repaints those that changed.
bool TVexoGrid::selectRange(int from, int to) {
    const int lo = std::min(from, to);
    const int hi = std::max(from, to);
    bool changed = false;
    for (int i = 0; i < rows_.count(); ++i) {
        TVexoGrid_rowInfo* info = rows_.get(i);
        const bool want = i >= lo && i <= hi;
        if (info->selected() == want) continue;
        info->setSelected(want);
        paintRow(i);
        changed = true;
    }
    return changed;
}

void TVexoGrid::EventMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    (void)button;
    logicFocus_ = true;
    SetFocus();
    if (editor_ && (editor_->Visible() || editor_->IsEditing())) editor_->HideEditor();
    const int row = RowForY(y);
    if (row < 0) return; // below the last row: the button is down all the same, for drags
    if (editor_ && editor_->Focused()) editor_->HideEditor();
    const int old = rowIndex_;

    if (multiselect_ && shift.Contains(ssShift)) {
        selectRange(rowIndex_, row);
        rowIndex_ = row;
    } else if (multiselect_ && shift.Contains(ssCtrl)) {
        SetRowSelected(row, !GetRowSelected(row));
        if (GetRowSelected(row)) rowIndex_ = row;
    } else {
        SetRowIndex(row);
    }
    mouseDown_ = true;
    // The row events may have removed rows.
    if (row >= rows_.count()) return;

    TVexoGrid_rowInfo* info = rows_.get(row);
    if (checkBoxes_ && !info->unicolumn()) {
        if (!surface_->CheckBoxRect(row).Contains(Point(x, y))) return;
        info->setChecked(!info->checked());
        EnsureRowVisible(row);
        if (OnRowChecking) OnRowChecking(row);
        paintRow(row);
        mouseDown_ = false;
        return;
    }
    if (!multiselect_ && row == old && editable_) {
        mouseDown_ = false;
        const int col = ColForX(x);
        if (col >= 0 && !columns_->Items(col)->ReadOnly() && editor_) editor_->EditAt(col);
    }
}

void TVexoGrid::EventMouseMove(TShiftState shift, int x, int y) {
    (void)x;
    if (!mouseDown_ || shift.Contains(ssShift) || shift.Contains(ssCtrl)) return;
    const int row = RowForY(y);
    if (row < 0) return;
    if (multiselect_)
        selectRange(rowIndex_, row); // the anchor stays where the button went down
    else
        SetRowIndex(row);
}

void TVexoGrid::EventMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    (void)button;
    (void)shift;
    (void)x;
    if (!mouseDown_) return;
    mouseDown_ = false;
    const int row = RowForY(y);
    if (row < 0) return;
    if (multiselect_) rowIndex_ = row;
    EnsureRowVisible(row);
}

// ---- text outputs ----

std::unique_ptr<TStringList> TVexoGrid::GenerateColData() const {
    auto list = std::make_unique<TStringList>();
    list->SetText(columns_->ToString());
    return list;
}

void TVexoGrid::SetColData(const TStringList* list) {
    if (!list) return;
    const std::string text = list->GetText();
    if (text == GenerateColData()->GetText()) return;
    columns_->FromString(text);
}

std::unique_ptr<TStringList> TVexoGrid::GenerateRowCode() const {
    const std::string& n = Name();
    std::string code = "\tclass " + n + "_dataRow : public TVexoRow\r\n";
    code += "\t{\r\n";
    code += "\tpublic:\r\n";
    code += "\t\t" + n + "_dataRow( TVexoGrid*grid ) : TVexoRow( grid ), ";
    for (int i = 0; i < columns_->Count(); ++i) {
        if (i > 0) code += ",";
        code += columns_->Items(i)->FieldName() + "(this," + intToText(i) + ")";
    }
    code += "\r\n\t\t{}\r\n";
    for (int i = 0; i < columns_->Count(); ++i) {
        const TVGColumn* c = columns_->Items(i);
        const char* type = "TVexoDataCol_string   ";
        switch (c->DataType()) {
        case vgDate:
            type = "TVexoDataCol_date     ";
            break;
        case vgTime:
            type = "TVexoDataCol_time     ";
            break;
        case vgBoolean:
            type = "TVexoDataCol_boolean  ";
            break;
        case vgInteger:
            type = "TVexoDataCol_integer  ";
            break;
        case vgFloat:
        case vgMoney:
            type = "TVexoDataCol_float    ";
            break;
        default:
            break;
        }
        code += "\t\t" + std::string(type) + c->FieldName() + ";\r\n";
    }
    code += "\t};\r\n";
    auto list = std::make_unique<TStringList>();
    list->SetText(code);
    return list;
}

// ---- window ----

void TVexoGrid::Loaded() {
    TCustomControl::Loaded();
    if (pendingCol100x100_) {
        const std::string name = *std::exchange(pendingCol100x100_, std::nullopt);
        SetCol100x100(name);
    }
}

void TVexoGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateColumns();
    if (!designing())
        AppMsgHandler::RegisterControl(
            this, [this](MSG& message, bool& handled) { DesvioMensajes(message, handled); });
}

void TVexoGrid::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        if (Color() != colorBk_) {
            SetColor(colorBk_);
        }
        if (!painted_) {
            painted_ = true;
            UpdateColumns();
        }
    }
    const bool focusChange = (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) && !designing();
    if (focusChange) {
        // Losing the focus to the editor keeps the focused look: the cell being edited is still
        // the grid's.
        const auto receiver = reinterpret_cast<HWND>(message.WParam);
        logicFocus_ = message.Msg == WM_SETFOCUS ||
                      (editor_ && (editor_->Focused() || (receiver && receiver == editor_->WindowHandle())));
    }
    TCustomControl::WndProc(message);
    if (focusChange) surface_->RepaintSelection();
    if (message.Msg == WM_MOUSEWHEEL && !designing()) MouseWheelRows(GET_WHEEL_DELTA_WPARAM(message.WParam));
}

void TVexoGrid::Resize() {
    TCustomControl::Resize();
    if (!designing()) UpdateColumns();
}

} // namespace vexo
