// The grid as assistive technology reads it: rows, columns with their captions, the text each
// cell shows (formatted as painted), the current cell, the selection and the check marks.
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"

namespace vexo {

int TVexoGrid::AccessibleRowCount() const {
    return GetRowCount();
}

int TVexoGrid::AccessibleColumnCount() const {
    return Columns()->Count();
}

std::string TVexoGrid::AccessibleColumnHeader(int col) const {
    return Columns()->Items(col)->Caption();
}

// Without the blanks that only place the text in the cell.
std::string TVexoGrid::AccessibleCellText(int row, int col) const {
    const std::string shown = surface_->CellText(row, col);
    const auto first = shown.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return shown.substr(first, shown.find_last_not_of(' ') - first + 1);
}

int TVexoGrid::AccessibleCurrentRow() const {
    return GetRowIndex();
}

int TVexoGrid::AccessibleCurrentColumn() const {
    return GetRowIndex() >= 0 ? GetColIndex() : -1;
}

bool TVexoGrid::AccessibleRowSelected(int row) const {
    return multiselect_ ? GetRowSelected(row) : row == GetRowIndex();
}

bool TVexoGrid::AccessibleRowCheckable(int row) const {
    return checkBoxes_ && !rows_.get(row)->unicolumn() && !rows_.get(row)->noCheckBox();
}

bool TVexoGrid::AccessibleRowChecked(int row) const {
    return AccessibleRowCheckable(row) && GetRowChecked(row);
}

} // namespace vexo
