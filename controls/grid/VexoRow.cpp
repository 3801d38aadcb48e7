#include "controls/grid/VexoRow.h"

#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoConvert.h"
#include "controls/grid/VexoGrid.h"
#include "framework/SysUtils.h"

#include <charconv>
#include <cmath>

namespace {

// The date's text form, written directly for the values it can hold in its fixed width; anything
// else (a negative or wider field) goes through the date's own printing.
std::string dateText(const sDB_date& date) {
    if (date.day < 0 || date.day > 99 || date.month < 0 || date.month > 99 || date.year < 0 ||
        date.year > 9999)
        return date.text();
    char out[10] = {static_cast<char>('0' + date.day / 10),
                    static_cast<char>('0' + date.day % 10),
                    '/',
                    static_cast<char>('0' + date.month / 10),
                    static_cast<char>('0' + date.month % 10),
                    '/',
                    static_cast<char>('0' + date.year / 1000),
                    static_cast<char>('0' + date.year / 100 % 10),
                    static_cast<char>('0' + date.year / 10 % 10),
                    static_cast<char>('0' + date.year % 10)};
    return std::string(out, sizeof out);
}

// Two decimals with a decimal comma, as floatToText writes them, without its scratch buffer for
// values of any width: the common magnitudes go through a small buffer on the stack.
std::string floatText(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) return floatToText(moneyDecimals, value);
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, moneyDecimals);
    std::string text(buf, result.ptr);
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    const auto point = text.find('.');
    if (point != std::string::npos) text[point] = ',';
    return text;
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

void TVexoRow::Append() {
    position_ = LastRow;
    grid_->AddRow();
    grid_->Row(RowIndex())->setAllNull();
    OnRowLoaded();
}

void TVexoRow::MoveTo(int index) {
    if (index == CurrentRow) index = grid_->GetRowIndex();
    position_ = index;
    if (hasRow(index) && !grid_->Row(index)->unicolumn()) OnRowLoaded();
}

void TVexoRow::Store() {
    if (!IsUnicolumn()) OnRowStore();
    grid_->Surface()->Invalidate();
}

void TVexoRow::SetItemData(int slot, const std::string& text) {
    grid_->Row(RowIndex())->setItemData(slot, text);
}

std::string TVexoRow::GetItemData(int slot) const {
    return grid_->Row(RowIndex())->itemData(slot);
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

void TVexoRow::write(int col, const std::string& text) {
    grid_->SetString(RowIndex(), col, text);
}

void TVexoRow::SetAsString(int col, const std::string& text) {
    write(col, text);
}

void TVexoRow::SetAsDate(int col, const sDB_date& date) {
    write(col, dateText(date));
}

void TVexoRow::SetAsTime(int col, const sDB_time& time) {
    write(col, time.text());
}

void TVexoRow::SetAsInteger(int col, int value) {
    write(col, intToText(value));
}

void TVexoRow::SetAsFloat(int col, double value) {
    const bool isFloat = grid_->Columns()->Items(col)->DataType() == vgFloat;
    write(col, isFloat ? floatText(value) : moneyToText(value));
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
