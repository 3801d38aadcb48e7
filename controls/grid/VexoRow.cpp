#include "controls/grid/VexoRow.h"

#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"
#include "framework/core/SysUtils.h"
#include "values/VexoConvert.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace vexo {

namespace {

// The typed setters write their text straight into the cell when the row is being filled (the
// cell is the row's next one and fits), and otherwise into a buffer on the stack that the grid
// copies: filling a grid converts millions of values, and a temporary string apiece, or a copy
// out of a buffer just written, showed up in profiles. Each conversion writes at most MaxChars
// bytes and returns the end, or nullptr for the rare values that only the general conversions
// cover.
constexpr std::size_t MaxChars = 32;

template <class Chars, class General>
void storeConverted(TVexoGrid& grid, int row, int col, Chars chars, General general) {
    TVexoGrid_rowInfo* info = grid.Row(row);
    if (char* room = info->nextCellRoom(col, MaxChars)) {
        if (const char* end = chars(room)) {
            info->setNull(col, false);
            info->commitNextCell(col, static_cast<std::size_t>(end - room));
            return;
        }
    }
    char buf[MaxChars];
    if (const char* end = chars(buf))
        grid.SetString(row, col, {buf, static_cast<std::size_t>(end - buf)});
    else
        grid.SetString(row, col, general());
}

char* intChars(int value, char* out) {
    return std::to_chars(out, out + MaxChars, value).ptr;
}

// The date's text form for the values it can hold in its fixed width; anything else (a negative
// or wider field) goes through the date's own printing.
char* dateChars(const sDB_date& date, char* p) {
    if (date.day < 0 || date.day > 99 || date.month < 0 || date.month > 99 || date.year < 0 ||
        date.year > 9999)
        return nullptr;
    *p++ = static_cast<char>('0' + date.day / 10);
    *p++ = static_cast<char>('0' + date.day % 10);
    *p++ = '/';
    *p++ = static_cast<char>('0' + date.month / 10);
    *p++ = static_cast<char>('0' + date.month % 10);
    *p++ = '/';
    *p++ = static_cast<char>('0' + date.year / 1000);
    *p++ = static_cast<char>('0' + date.year / 100 % 10);
    *p++ = static_cast<char>('0' + date.year / 10 % 10);
    *p++ = static_cast<char>('0' + date.year % 10);
    return p;
}

// The exact rounding error of v * 100 (Dekker's product: v split into halves of 26 and 27 bits,
// each of whose products with 100 is exact). Plain arithmetic rather than std::fma, which on this
// target is a library call in other instructions whose switch cost more than the rest of a cell.
double productError100(double v, double x) {
    const double c = 134217729.0 * v; // 2^27 + 1
    const double high = c - (c - v);
    const double low = v - high;
    return (high * 100 - x) + low * 100;
}

// Two decimals with a decimal comma, exactly as floatToText writes them (the binary value
// rounded half to even), without its general formatting: the value in hundredths is rounded in
// integers. Below 1e13 the hundredths stay under 2^53, so x = v * 100 and its floor are exact
// doubles and e is the exact rounding error of the product: v * 100 equals x + e, and the sign of
// (x - floor(x) - 0.5) + e decides the rounding without error. Larger and non-finite values take
// the general path.
char* floatChars(double value, char* p) {
    const double v = std::fabs(value);
    if (!(v < 1e13)) return nullptr;
    const double x = v * 100;
    const double e = productError100(v, x);
    auto hundredths = static_cast<std::uint64_t>(x); // x >= 0: truncation is the floor
    const auto floor = static_cast<double>(hundredths);
    const double above = (x - floor - 0.5) + e;
    if (above > 0 || (above == 0 && (hundredths & 1u))) ++hundredths;

    // A value that rounds to zero carries no minus sign.
    if (std::signbit(value) && hundredths) *p++ = '-';
    p = std::to_chars(p, p + MaxChars - 4, hundredths / 100).ptr;
    const auto cents = static_cast<unsigned>(hundredths % 100);
    *p++ = ',';
    *p++ = static_cast<char>('0' + cents / 10);
    *p++ = static_cast<char>('0' + cents % 10);
    return p;
}

} // namespace

VGException::VGException(const TVexoGrid* grid, int col, VGDataType expected)
    : Exception((grid ? grid->Name() : std::string()) + " col=" + intToText(col) + " Tipo de datos erróneo " +
                intToText(expected)) {}

int TVexoRow::RowIndex() const {
    if (position_ == LastRow) return grid_->GetRowCount() - 1;
    if (position_ == CurrentRow) return grid_->GetRowIndex();
    return position_;
}

bool TVexoRow::hasRow(int row) const {
    return row >= 0 && row < grid_->GetRowCount();
}

bool TVexoRow::isDataRow(int row) const {
    return hasRow(row) && !grid_->Row(row)->unicolumn();
}

void TVexoRow::Append() {
    position_ = LastRow;
    grid_->AddRow();
    grid_->Row(RowIndex())->setAllNull();
    OnRowLoaded();
}

void TVexoRow::MoveTo(int index) {
    if (index == CurrentRow) index = grid_->GetRowIndex();
    position_ = index;
    if (isDataRow(index)) OnRowLoaded();
}

void TVexoRow::Store() {
    if (isDataRow(RowIndex())) OnRowStore();
    grid_->Surface()->Invalidate();
}

void TVexoRow::SetItemData(int slot, const std::string& text) {
    grid_->Row(RowIndex())->setItemData(slot, text);
}

std::string TVexoRow::GetItemData(int slot) const {
    return std::string(grid_->Row(RowIndex())->itemData(slot));
}

bool TVexoRow::IsUnicolumn() const {
    const int row = RowIndex();
    return hasRow(row) && grid_->Row(row)->unicolumn();
}

void TVexoRow::SetUnicolumn(bool flag) {
    grid_->Row(RowIndex())->setUnicolumn(flag);
}

void TVexoRow::SetUnicolumnText(const std::string& text) {
    const int row = RowIndex();
    if (hasRow(row)) grid_->SetString(row, 0, text);
}

void TVexoRow::SetNull(int col, bool flag) {
    grid_->Row(RowIndex())->setNull(col, flag);
}

void TVexoRow::write(int col, std::string_view text) {
    grid_->SetString(RowIndex(), col, text);
}

void TVexoRow::SetAsString(int col, const std::string& text) {
    write(col, text);
}

void TVexoRow::SetAsDate(int col, const sDB_date& date) {
    storeConverted(
        *grid_, RowIndex(), col, [&](char* out) { return dateChars(date, out); },
        [&] { return date.text(); });
}

void TVexoRow::SetAsTime(int col, const sDB_time& time) {
    write(col, time.text());
}

void TVexoRow::SetAsInteger(int col, int value) {
    storeConverted(
        *grid_, RowIndex(), col, [&](char* out) { return intChars(value, out); },
        [&] { return intToText(value); });
}

void TVexoRow::SetAsFloat(int col, double value) {
    const bool isFloat = grid_->Columns()->Items(col)->DataType() == vgFloat;
    if (!isFloat) return write(col, moneyToText(value));
    storeConverted(
        *grid_, RowIndex(), col, [&](char* out) { return floatChars(value, out); },
        [&] { return floatToText(moneyDecimals, value); });
}

std::string TVexoRow::text(int col, VGDataType expected) const {
    if (grid_->Columns()->Items(col)->DataType() != expected) throw VGException(grid_, col, expected);
    return grid_->GetString(RowIndex(), col);
}

std::string TVexoRow::GetAsString(int col) const {
    return text(col, vgString);
}

sDB_date TVexoRow::GetAsDate(int col) const {
    sDB_date date;
    date.setText(text(col, vgDate));
    return date;
}

sDB_time TVexoRow::GetAsTime(int col) const {
    sDB_time time;
    time.setText(text(col, vgTime));
    return time;
}

bool TVexoRow::GetAsBoolean(int col) const {
    return textToBool(text(col, vgBoolean));
}

int TVexoRow::GetAsInteger(int col) const {
    return StrToIntDef(text(col, vgInteger), 0);
}

double TVexoRow::GetAsFloat(int col) const {
    return textToFloat(text(col, vgFloat));
}

double TVexoRow::GetAsMoney(int col) const {
    return textToMoney(text(col, vgMoney));
}

bool TVexoDataCol::IsNull() const {
    const int row = row_->RowIndex();
    return row_->Grid()->Row(row)->isNull(col_);
}

TVexoDataCol_string& TVexoDataCol_string::operator=(const std::string& value) {
    row_->SetAsString(col_, value);
    return *this;
}

TVexoDataCol_date& TVexoDataCol_date::operator=(const sDB_date& value) {
    row_->SetAsDate(col_, value);
    return *this;
}

TVexoDataCol_time& TVexoDataCol_time::operator=(const sDB_time& value) {
    row_->SetAsTime(col_, value);
    return *this;
}

TVexoDataCol_integer& TVexoDataCol_integer::operator=(int value) {
    row_->SetAsInteger(col_, value);
    return *this;
}

TVexoDataCol_float& TVexoDataCol_float::operator=(double value) {
    row_->SetAsFloat(col_, value);
    return *this;
}

double TVexoDataCol_float::Get() const {
    return row_->Grid()->Columns()->Items(col_)->DataType() == vgMoney ? row_->GetAsMoney(col_)
                                                                       : row_->GetAsFloat(col_);
}

} // namespace vexo
