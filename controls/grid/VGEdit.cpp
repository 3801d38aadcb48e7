#include "controls/grid/VGEdit.h"

#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"

#include <algorithm>

namespace vexo {

TVGEdit::TVGEdit(TVexoGrid* grid) : TCustomControl(grid), grid_(grid) {
    SetTabStop(true);
    SetVisible(false);
    SetParent(grid);
}

bool TVGEdit::EditAt(int col) {
    TVexoGrid& g = *grid_;
    const int row = g.GetRowIndex();
    // F2 reaches here without a current row, and a grid without columns has no cell at all.
    if (row < 0 || row >= g.GetRowCount() || g.Columns()->Count() == 0) return false;
    if (g.GetIsRowUnicolumn(row)) return false;
    const int previous = g.GetColIndex();
    g.SetColIndex(std::max(col, 0) - 1);
    if (!NextCell()) {
        // Nothing to edit: the current column keeps meaning the cell it meant before.
        g.SetColIndex(previous);
        return false;
    }
    showEditor();
    return true;
}

// Editable means the column is not read-only once the application has seen the row through
// OnRowNeedData; unicolumn rows are passed over. With AutoAddRow a row is appended past the last
// one, but only when no later row was found, and at most once per search: a grid whose columns
// are all read-only would otherwise grow for ever. A row appended in vain is removed again.
bool TVGEdit::NextCell() {
    TVexoGrid& g = *grid_;
    const int cols = g.Columns()->Count();
    int col = g.GetColIndex();
    int row = g.GetRowIndex();
    if (row < 0 || row >= g.GetRowCount()) return false;
    bool appended = false;
    for (;;) {
        if (g.OnRowNeedData) g.OnRowNeedData(row);
        while (col < cols - 1) {
            ++col;
            const TVGColumn* c = g.Columns()->Items(col);
            if (c->ReadOnly()) continue;
            dataType_ = c->DataType();
            g.SetColIndex(col);
            g.SetRowIndex(row);
            g.EnsureRowVisible(row);
            return true;
        }
        if (appended) {
            if (row < g.GetRowCount() && row != g.GetRowIndex()) g.DeleteRow(row);
            return false;
        }
        bool found = false;
        while (row < g.GetRowCount() - 1) {
            ++row;
            if (!g.GetIsRowUnicolumn(row)) {
                found = true;
                break;
            }
        }
        if (!found && row == g.GetRowCount() - 1 && g.GetAutoAddRow()) {
            g.AddRow();
            row = g.GetRowCount() - 1;
            found = appended = true;
        }
        if (!found) return false;
        col = -1;
    }
}

void TVGEdit::showEditor() {
    TVexoGrid& g = *grid_;
    const int row = g.GetRowIndex();
    const int col = g.GetColIndex();
    if (g.OnRowNeedData) g.OnRowNeedData(row);
    g.EnsureColVisible(col);
    // The surface's cell, moved into the grid's coordinates and grown by the frame's pixel.
    const TRect cell = g.Surface()->CellRect(row, col);
    const int top = g.Surface()->Top();
    editRect_ = Rect(cell.Left, cell.Top + top - 1, cell.Right + 1, cell.Bottom + top + 1);
    editing_ = true;
}

void TVGEdit::HideEditor() {
    editing_ = false;
    SetVisible(false);
    if (grid_->CanFocus() && grid_->Showing()) grid_->SetFocus();
}

} // namespace vexo
