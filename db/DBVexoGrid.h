#pragma once
// The grid bound to one database table whose records are keyed by a text column code. fill()
// turns the records that a condition and an order select into rows, the record's code as the
// row's data, with optional separator rows that group them by one column; entering a row selects
// its record; a changed cell is written back to that record's column and the row is reloaded
// from the database. Every failure is reported through the data layer's message and leaves the
// grid showing what the database holds.
#include "controls/grid/VexoGrid.h"
#include "controls/grid/VexoRow.h"
#include "db/sDB_table.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vexo {

class sDB_connection;

// fld is always null; text arrives empty and becomes the separator row's text.
using TDBSeparatorEvent = std::function<void(void* fld, std::string& text)>;
// The text of a cell whose field the table does not have; text arrives empty.
using TDBFillFieldEvent = std::function<void(const std::string& fldName, std::string& text)>;
// After a row is filled, before it is stored; ds is always null.
using TDBFillRowEvent = std::function<void(TVexoRow& row, void* ds)>;

class TDBVexoGrid : public TVexoGrid {
public:
    explicit TDBVexoGrid(TComponent* owner);
    ~TDBVexoGrid() override;

    const std::string& getSeparatorField() const { return separatorField_; }
    void setSeparatorField(const std::string& name) { separatorField_ = name; }
    const std::string& GetSQLTableName() const { return sqlTableName_; }
    void SetSQLTableName(const std::string& name) { sqlTableName_ = name; }
    const std::string& GetSQLWhere() const { return sqlWhere_; }
    void SetSQLWhere(const std::string& condition) { sqlWhere_ = condition; }
    const std::string& GetSQLOrderBy() const { return sqlOrderBy_; }
    void SetSQLOrderBy(const std::string& order) { sqlOrderBy_ = order; }

    // Reloads every row from the table; nothing without a connection or in the form designer.
    // The columns take their types from the result; a failed select leaves them as they were.
    void fill();
    // Copies the table's current record into the row sRow is bound to.
    void updateRow();

    void doRowEnter() override;
    // Writes the current cell to the current row's record, by the row's code, and reloads the
    // row from the database; a write that fails leaves the row showing what the database holds.
    void doCellModified() override;

    TDBSeparatorEvent OnSeparator;
    TDBFillFieldEvent OnFillFieldSP;
    TDBFillRowEvent OnFillRow;

    // The row object through which the grid fills its rows.
    TVexoRow sRow;
    sDB_table table;
    // Follows the current row's code; not owned.
    sDB_table* linkedTable = nullptr;
    // Nothing is read or written without it; not owned.
    sDB_connection* connection = nullptr;

private:
    // How one grid column is read from the table's result.
    // How a grid column takes its value from the current result (defined with fillRow).
    struct Binding;
    // The columns' bindings to the current result; reports each column its type cannot read.
    std::vector<Binding> bind() const;
    void mapColumnTypes();
    // A new row (appended by fill()) starts with empty cells and is painted when the fill ends.
    void fillRow(const std::vector<Binding>& bindings, bool newRow);
    // The table holds the record of that code, selecting it when it does not; false after
    // reporting that there is none.
    bool holdRecord(const std::string& code);
    void reportLostRecord(const std::string& code) const;
    // Adds the assignment of the cell to the pending update; false after reporting a text that
    // cannot be read.
    bool assignCell(int row, int col);
    void keepEnteredRow();
    void restoreCell(int row, int col);

    std::string separatorField_;
    std::string sqlTableName_;
    std::string sqlWhere_;
    std::string sqlOrderBy_;

    // The current row's cells as the database last gave them: what a write that fails puts back.
    struct Cell {
        std::string text;
        bool null = true;
    };
    int enteredRow_ = -1;
    std::string enteredCode_;
    std::vector<Cell> enteredCells_;
};

} // namespace vexo
