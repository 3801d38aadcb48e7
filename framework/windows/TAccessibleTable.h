#pragma once
// What a control that shows a table tells assistive technology (screen readers): its size, its
// column headers, the text each cell shows, the current cell and the rows' check marks. A windowed
// control that implements this is exposed through Qt's accessibility interfaces as a table; the
// translation lives in the framework (Accessibility.cpp), so the control needs no Qt.
#include <string>

namespace vexo {

class TAccessibleTable {
public:
    virtual ~TAccessibleTable() = default;

    virtual int AccessibleRowCount() const = 0;
    virtual int AccessibleColumnCount() const = 0;
    virtual std::string AccessibleColumnHeader(int col) const = 0;
    // The text as the control shows it (formatted), not as it is stored.
    virtual std::string AccessibleCellText(int row, int col) const = 0;
    // -1 when there is no current row or column.
    virtual int AccessibleCurrentRow() const = 0;
    virtual int AccessibleCurrentColumn() const = 0;
    virtual bool AccessibleRowSelected(int row) const = 0;
    // Whether the row shows a check box, and whether it is checked.
    virtual bool AccessibleRowCheckable(int row) const = 0;
    virtual bool AccessibleRowChecked(int row) const = 0;
};

} // namespace vexo
