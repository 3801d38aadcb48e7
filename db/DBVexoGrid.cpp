// How it works: fill() selects the records, gives each bound column the grid type of its result
// column, and binds every grid column to its result column once per fill (a column whose type
// its getter cannot read is reported once and skipped on every row); then it appends one row per
// record, a separator row first whenever the separator column's value changes.
//
// The write-back never trusts what the table happens to hold: it names the current row's code,
// selecting that record first when the table holds another one or none, so an update can only
// reach the row's own record. After the update the table has reloaded the record, and the whole
// row is copied from it: the row shows what the database holds whether the update was taken or
// refused. When the record cannot be read at all (gone, or the server lost), the edited cell
// takes back the text the row had when it was entered or last reloaded.
#include "db/DBVexoGrid.h"

#include "controls/grid/VGColumn.h"
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGridRowInfo.h"
#include "db/DBProperties.h"
#include "db/sDB_message.h"
#include "db/sDB_type.h"
#include "framework/core/Exception.h"
#include "values/VexoConvert.h"

#include <mysql.h>

#include <cstring>

namespace vexo {

namespace {

// How a read value becomes the cell's text: through the typed value, or straight from the
// server's text when that text already says the same.
enum class DirectText : std::uint8_t { typed, same, integer, serverDate, decimalComma };

bool digits(std::string_view text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// Which of the server's texts already are, or are a cheap reshuffle of, the text the typed path
// would write: filling converts every value of every row, and most columns need no conversion.
DirectText textKind(const sDB_FieldInfo& field, VGDataType type) {
    using Text = DirectText;
    if (type == vgString) return Text::same;
    if (type == vgDate && field.mysqlType == MYSQL_TYPE_DATE) return Text::serverDate;
    const bool integer = field.type == sDB_type_integer && !sDB_isDecimal(field.mysqlType);
    if (type == vgInteger && integer) return Text::integer;
    if (type == vgFloat && sDB_isDecimal(field.mysqlType) && field.decimals == moneyDecimals)
        return Text::decimalComma;
    return Text::typed;
}

// The longest reshuffle directText writes: a sign, 13 digits, the comma and 2 decimals.
constexpr std::size_t MaxReshuffle = 17;

// The cell's text for a value whose server text can be used directly: the value itself, or its
// reshuffle written into out, which has room for value.size() bytes or MaxReshuffle (a reshuffle
// never lengthens the value, and a longer value is never reshuffled); a null view when this value
// must take the typed path after all (an unusual form: leading zeros, a value out of range, a date
// with other than digits where they belong).
std::string_view directText(DirectText kind, std::string_view value, char* out) {
    using Text = DirectText;
    switch (kind) {
    case Text::same:
        return value;
    case Text::integer: {
        // Canonical and within nine digits: what the typed path would write back.
        const std::size_t sign = !value.empty() && value[0] == '-' ? 1 : 0;
        const std::size_t count = value.size() - sign;
        if (value.size() <= sign || count > 9 || !digits(value, sign, count) ||
            (value[sign] == '0' && value.size() != 1))
            return {};
        return value;
    }
    case Text::serverDate:
        // yyyy-mm-dd becomes dd/mm/yyyy.
        if (value.size() != 10 || value[4] != '-' || value[7] != '-' || !digits(value, 0, 4) ||
            !digits(value, 5, 2) || !digits(value, 8, 2))
            return {};
        std::memcpy(out, value.data() + 8, 2);
        out[2] = '/';
        std::memcpy(out + 3, value.data() + 5, 2);
        out[5] = '/';
        std::memcpy(out + 6, value.data(), 4);
        return {out, 10};
    case Text::decimalComma: {
        // -?d+.dd, as the server writes a DECIMAL of two decimals, becomes -?d+,dd; at most 13
        // whole digits, where the typed path writes the same digits.
        const std::size_t sign = !value.empty() && value[0] == '-' ? 1 : 0;
        const std::size_t whole = value.size() - sign - 3;
        if (value.size() < sign + 4 || whole > 13 || value[value.size() - 3] != '.' ||
            !digits(value, sign, whole) || !digits(value, value.size() - 2, 2) ||
            (whole > 1 && value[sign] == '0'))
            return {};
        // A negative zero is written without its sign.
        if (sign && value.find_first_not_of("0.", 1) == std::string_view::npos) return {};
        std::memcpy(out, value.data(), value.size());
        out[value.size() - 3] = ',';
        return {out, value.size()};
    }
    case Text::typed:
        break;
    }
    return {};
}

// Stores a value that directText accepts into cell c; false when it takes the typed path. A row
// being filled gets the reshuffled text written straight into its next cell.
bool storeDirect(TVexoGrid_rowInfo& row, int c, DirectText kind, std::string_view value) {
    char buffer[MaxReshuffle];
    char* room = row.nextCellRoom(c, value.size());
    const std::string_view text = directText(kind, value, room != nullptr ? room : buffer);
    if (text.data() == nullptr) return false;
    row.setNull(c, false);
    if (text.data() == room)
        row.commitNextCell(c, text.size());
    else
        row.setCell(c, text);
    return true;
}

// What the getter for a grid type reads.
sDB_read readKind(VGDataType type) {
    switch (type) {
    case vgDate:
        return sDB_read::date;
    case vgTime:
        return sDB_read::time;
    case vgBoolean:
    case vgInteger:
        return sDB_read::integer;
    case vgFloat:
    case vgMoney:
        return sDB_read::floating;
    case vgString:
        break;
    }
    return sDB_read::text;
}

// The grid type that shows a result column; current where the result's type has none. A
// DECIMAL with a scale holds cents: as an integer they would be lost on screen and, written
// back, in the database too. A money column stays money.
VGDataType mappedType(const sDB_FieldInfo& f, VGDataType current) {
    switch (f.type) {
    case sDB_type_string:
        return vgString;
    case sDB_type_integer:
        if (sDB_isDecimal(f.mysqlType) && f.decimals > 0) return current == vgMoney ? vgMoney : vgFloat;
        return vgInteger;
    case sDB_type_floating:
        return vgFloat;
    case sDB_type_date:
        return vgDate;
    case sDB_type_time:
        return vgTime;
    default:
        return current;
    }
}

} // namespace

struct TDBVexoGrid::Binding {
    enum Source : std::uint8_t { none, missing, read, unreadable } source = none;
    DirectText text = DirectText::typed;
    VGDataType type = vgString; // the grid column's
    int field = -1;
};

TDBVexoGrid::TDBVexoGrid(TComponent* owner) : TVexoGrid(owner), sRow(this) {
    RegisterDbClasses();
}

TDBVexoGrid::~TDBVexoGrid() = default;

// ---- reading ----

void TDBVexoGrid::fill() {
    if (ComponentState().Contains(csDesigning) || connection == nullptr) return;
    PreRefresh();
    Clear();
    enteredCells_.clear();
    table.setConnection(connection);
    table.close();
    table.setTableName(sqlTableName_);
    // A select that fails describes no columns: the columns keep their types and read-only state.
    if (table.select(sqlWhere_, sqlOrderBy_) >= 0) {
        mapColumnTypes();
        const std::vector<Binding> bindings = bind();
        const int codeField = table.findColumn("code");
        const bool hasCode = codeField >= 0 && table.checkReadable(codeField, sDB_read::text);
        const bool separators = !separatorField_.empty() && OnSeparator;
        const int separatorField = separators ? table.findColumn(separatorField_) : -1;
        const bool hasSeparator = separatorField >= 0 && table.checkReadable(separatorField, sDB_read::text);
        std::string lastSeparator;
        for (; !table.eof(); table.next()) {
            if (separators) {
                std::string value = hasSeparator ? table.getString(separatorField) : std::string();
                if (value != lastSeparator) {
                    std::string text;
                    OnSeparator(nullptr, text);
                    sRow.Append();
                    sRow.SetUnicolumn(true);
                    sRow.SetUnicolumnText(text);
                    sRow.Store();
                    lastSeparator = std::move(value);
                }
            }
            sRow.Append();
            if (hasCode) Row(sRow.RowIndex())->setItemData(0, table.raw(codeField));
            fillRow(bindings, true);
        }
    }
    // Closed before the user's place comes back, so that entering the restored row selects its
    // record and the table keeps it.
    table.close();
    PostRefresh();
}

void TDBVexoGrid::mapColumnTypes() {
    for (int c = 0; c < Columns()->Count(); ++c) {
        TVGColumn* column = Columns()->Items(c);
        if (column->FieldName().empty()) continue;
        const int field = table.findColumn(column->FieldName());
        if (field < 0)
            column->SetReadOnly(true);
        else
            column->SetDataType(mappedType(table.fieldInfo(field), column->DataType()));
    }
}

std::vector<TDBVexoGrid::Binding> TDBVexoGrid::bind() const {
    std::vector<Binding> bindings(static_cast<std::size_t>(Columns()->Count()));
    for (int c = 0; c < Columns()->Count(); ++c) {
        const TVGColumn* column = Columns()->Items(c);
        Binding& b = bindings[static_cast<std::size_t>(c)];
        b.type = column->DataType();
        if (column->FieldName().empty()) continue;
        b.field = table.findColumn(column->FieldName());
        if (b.field < 0)
            b.source = Binding::missing;
        else if (table.checkReadable(b.field, readKind(column->DataType()))) {
            b.source = Binding::read;
            b.text = textKind(table.fieldInfo(b.field), b.type);
        } else
            b.source = Binding::unreadable;
    }
    return bindings;
}

void TDBVexoGrid::updateRow() {
    fillRow(bind(), false);
}

void TDBVexoGrid::fillRow(const std::vector<Binding>& bindings, bool newRow) {
    const auto clearCell = [this](int c) {
        sRow.SetAsString(c, std::string());
        sRow.SetNull(c, true);
    };
    TVexoGrid_rowInfo* row = Row(sRow.RowIndex());
    for (int c = 0; c < static_cast<int>(bindings.size()); ++c) {
        const Binding& b = bindings[static_cast<std::size_t>(c)];
        switch (b.source) {
        case Binding::none:
            if (!newRow) sRow.SetAsString(c, std::string());
            continue;
        case Binding::missing:
            if (OnFillFieldSP) {
                if (linkedTable != nullptr) linkedTable->selectByCode(sRow.GetItemData(0));
                std::string text;
                OnFillFieldSP(Columns()->Items(c)->FieldName(), text);
                sRow.SetAsString(c, text);
                row = Row(sRow.RowIndex()); // the handler may have changed the rows
            }
            continue;
        case Binding::unreadable:
            if (!newRow) clearCell(c);
            continue;
        case Binding::read:
            break;
        }
        const std::string_view value = table.raw(b.field); // no data: NULL
        if (value.data() == nullptr) {
            if (!newRow) clearCell(c);
            continue;
        }
        if (b.text != DirectText::typed && storeDirect(*row, c, b.text, value)) continue;
        switch (b.type) {
        case vgString:
            SetString(sRow.RowIndex(), c, value);
            break;
        case vgDate:
            sRow.SetAsDate(c, table.getDate(b.field));
            break;
        case vgTime:
            sRow.SetAsTime(c, table.getTime(b.field));
            break;
        case vgBoolean:
            // The text a boolean cell holds, which its choices and typed reads understand.
            sRow.SetAsString(c, boolToText(table.getInteger(b.field) != 0));
            break;
        case vgInteger:
            sRow.SetAsInteger(c, table.getInteger(b.field));
            break;
        case vgFloat:
        case vgMoney:
            sRow.SetAsFloat(c, table.getDouble(b.field));
            break;
        }
    }
    if (OnFillRow) OnFillRow(sRow, nullptr);
    if (!newRow) sRow.Store();
}

// ---- the current row and the write-back ----

void TDBVexoGrid::doRowEnter() {
    sRow.MoveTo(TVexoRow::CurrentRow);
    const int row = GetRowIndex();
    if (row >= 0 && row < GetRowCount() && !sRow.IsUnicolumn()) {
        const std::string code = GetRowData(row);
        if (connection != nullptr) table.setConnection(connection);
        table.selectByCode(code);
        if (linkedTable != nullptr) linkedTable->selectByCode(code);
    }
    keepEnteredRow();
    TVexoGrid::doRowEnter();
}

void TDBVexoGrid::doCellModified() {
    if (connection == nullptr) return;
    const int row = GetRowIndex();
    const int col = GetColIndex();
    // A separator row has no record, and no cell outside the rows and columns can have changed.
    if (row < 0 || row >= GetRowCount() || col < 0 || col >= Columns()->Count() || GetIsRowUnicolumn(row))
        return;
    if (Columns()->Items(col)->FieldName().empty()) {
        // Bound to no field: nothing to write.
        TVexoGrid::doCellModified();
        return;
    }
    const std::string code = GetRowData(row);
    table.setConnection(connection);
    if (!holdRecord(code) || !assignCell(row, col)) {
        restoreCell(row, col);
        return;
    }
    table.execUpdate();
    if (linkedTable != nullptr) linkedTable->selectByCode(code);
    // The update reloaded the record; without it the record is gone (or the server with it).
    if (table.eof() || table.getCode() != code) {
        reportLostRecord(code);
        restoreCell(row, col);
        return;
    }
    sRow.MoveTo(TVexoRow::CurrentRow);
    updateRow();
    keepEnteredRow();
    TVexoGrid::doCellModified();
}

void TDBVexoGrid::reportLostRecord(const std::string& code) const {
    sDB_message("El registro '" + code + "' no se encuentra en " + table.tableName() +
                    ": la celda vuelve a su valor anterior",
                "sDB_table error");
}

bool TDBVexoGrid::holdRecord(const std::string& code) {
    if (!table.eof() && table.getCode() == code) return true;
    if (table.selectByCode(code)) return true;
    reportLostRecord(code);
    return false;
}

bool TDBVexoGrid::assignCell(int row, int col) {
    TVexoRow cell(this);
    cell.MoveTo(row);
    const TVGColumn* column = Columns()->Items(col);
    const std::string& field = column->FieldName();
    try {
        switch (column->DataType()) {
        case vgString:
            table.setString(field, cell.GetAsString(col));
            break;
        case vgDate:
            table.setDate(field, cell.GetAsDate(col));
            break;
        case vgTime:
            table.setTime(field, cell.GetAsTime(col));
            break;
        case vgBoolean:
            table.setInteger(field, cell.GetAsBoolean(col) ? 1 : 0);
            break;
        case vgInteger:
            table.setInteger(field, cell.GetAsInteger(col));
            break;
        case vgFloat:
            table.setFloat(field, cell.GetAsFloat(col));
            break;
        case vgMoney:
            table.setFloat(field, cell.GetAsMoney(col));
            break;
        }
    } catch (const EConvertError&) {
        sDB_message("El valor '" + GetString(row, col) + "' no es válido", "error de tipo de datos");
        return false;
    }
    // A value the table refused (not finite) was reported and left no assignment.
    return !table.pendingUpdate().empty();
}

void TDBVexoGrid::keepEnteredRow() {
    enteredCells_.clear();
    enteredRow_ = GetRowIndex();
    if (enteredRow_ < 0 || enteredRow_ >= GetRowCount()) return;
    const TVexoGrid_rowInfo* info = Row(enteredRow_);
    enteredCode_ = std::string(info->itemData(0));
    for (int c = 0; c < Columns()->Count(); ++c)
        enteredCells_.push_back({info->cell(c), info->isNull(c)});
}

void TDBVexoGrid::restoreCell(int row, int col) {
    const bool known =
        row == enteredRow_ && col < static_cast<int>(enteredCells_.size()) && GetRowData(row) == enteredCode_;
    // Without the text the row had, an empty cell: never a value the database does not hold.
    const Cell kept = known ? enteredCells_[static_cast<std::size_t>(col)] : Cell{};
    TVexoGrid_rowInfo* info = Row(row);
    info->setCell(col, kept.text);
    info->setNull(col, kept.null);
    Surface()->Invalidate();
}

} // namespace vexo
