#pragma once
// Typed access to the rows of a grid. A TVexoRow is a cursor bound to a row (the last row, the
// current row or a fixed index, resolved on every operation); the TVexoDataCol_* members of a
// derived row class read and write one column each as a typed value. Getters check the column's
// type and raise VGException on a mismatch; setters write the text form the column stores.
#include "controls/grid/VGColumn.h"
#include "framework/core/Exception.h"
#include "values/sDB_date.h"
#include "values/sDB_time.h"

#include <string>
#include <string_view>

namespace vexo {

class TVexoGrid;

class VGException : public Exception {
public:
    using Exception::Exception;
    // "<grid name> col=<col> Tipo de datos erróneo <expected type>"
    VGException(const TVexoGrid* grid, int col, VGDataType expected);
};

class TVexoRow {
public:
    static constexpr int LastRow = -2;
    static constexpr int CurrentRow = -1;

    explicit TVexoRow(TVexoGrid* grid) : grid_(grid) {}
    virtual ~TVexoRow() = default;
    TVexoRow(const TVexoRow&) = delete;
    TVexoRow& operator=(const TVexoRow&) = delete;

    TVexoGrid* Grid() const { return grid_; }
    // LastRow, CurrentRow or a fixed index.
    int Position() const { return position_; }
    // The row index the position stands for now; may be -1 or beyond the rows.
    int RowIndex() const;

    void Append();
    void MoveTo(int index);
    void Store();

    void SetItemData(int slot, const std::string& text);
    std::string GetItemData(int slot) const;
    bool IsUnicolumn() const;
    void SetUnicolumn(bool flag);
    void SetUnicolumnText(const std::string& text);
    void SetNull(int col, bool flag);

    void SetAsString(int col, const std::string& text);
    void SetAsDate(int col, const sDB_date& date);
    void SetAsTime(int col, const sDB_time& time);
    void SetAsInteger(int col, int value);
    // Two decimals with a decimal comma on a vgFloat column; money text on any other.
    void SetAsFloat(int col, double value);

    std::string GetAsString(int col) const;
    sDB_date GetAsDate(int col) const;
    sDB_time GetAsTime(int col) const;
    bool GetAsBoolean(int col) const;
    int GetAsInteger(int col) const;
    double GetAsFloat(int col) const;
    double GetAsMoney(int col) const;

protected:
    virtual void OnRowLoaded() {}
    virtual void OnRowStore() {}

private:
    bool hasRow(int row) const;
    // A row that exists and is not unicolumn: the only kind the hooks are called for.
    bool isDataRow(int row) const;
    std::string text(int col, VGDataType expected) const;
    void write(int col, std::string_view text);

    TVexoGrid* grid_;
    int position_ = LastRow;
};

// The typed members of a row class: each binds a row object and a column index.
class TVexoDataCol {
public:
    TVexoDataCol(TVexoRow* row, int col) : row_(row), col_(col) {}
    TVexoRow* Row() const { return row_; }
    int Col() const { return col_; }
    bool IsNull() const;
    void SetNull(bool flag) { row_->SetNull(col_, flag); }

protected:
    TVexoRow* row_;
    int col_;
};

class TVexoDataCol_string : public TVexoDataCol {
public:
    using TVexoDataCol::TVexoDataCol;
    TVexoDataCol_string& operator=(const std::string& value);
    std::string Get() const { return row_->GetAsString(col_); }
    operator std::string() const { return Get(); }
};

class TVexoDataCol_date : public TVexoDataCol {
public:
    using TVexoDataCol::TVexoDataCol;
    TVexoDataCol_date& operator=(const sDB_date& value);
    sDB_date Get() const { return row_->GetAsDate(col_); }
    operator sDB_date() const { return Get(); }
};

class TVexoDataCol_time : public TVexoDataCol {
public:
    using TVexoDataCol::TVexoDataCol;
    TVexoDataCol_time& operator=(const sDB_time& value);
    sDB_time Get() const { return row_->GetAsTime(col_); }
    operator sDB_time() const { return Get(); }
};

// Boolean cells hold "true" or "false" and are only read through the row object.
class TVexoDataCol_boolean : public TVexoDataCol {
public:
    using TVexoDataCol::TVexoDataCol;
    bool Get() const { return row_->GetAsBoolean(col_); }
    operator bool() const { return Get(); }
};

class TVexoDataCol_integer : public TVexoDataCol {
public:
    using TVexoDataCol::TVexoDataCol;
    TVexoDataCol_integer& operator=(int value);
    int Get() const { return row_->GetAsInteger(col_); }
    operator int() const { return Get(); }
};

// Serves vgFloat and vgMoney columns alike: writing picks the text form by the column's type,
// and so does reading.
class TVexoDataCol_float : public TVexoDataCol {
public:
    using TVexoDataCol::TVexoDataCol;
    TVexoDataCol_float& operator=(double value);
    double Get() const;
    operator double() const { return Get(); }
};

} // namespace vexo
