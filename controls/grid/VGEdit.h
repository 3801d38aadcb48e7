#pragma once
// The grid's in-place cell editor: it chooses the cell where editing starts (the first editable
// cell from a column on, moving down the rows when the row has none), remembers that editing runs
// there and the cell's rectangle, and gives the focus back to the grid when editing ends. The
// editor's window stays hidden: it shows no edit box over the cell.
#include "controls/grid/VGColumn.h"
#include "framework/windows/TCustomControl.h"

namespace vexo {

class TVexoGrid;

class TVGEdit : public TCustomControl {
public:
    explicit TVGEdit(TVexoGrid* grid);

    TVexoGrid* Grid() const { return grid_; }

    // Starts editing the current row at the first editable cell from col on (moving on to later
    // rows when there is none); false, with the grid's current column as it was, when no cell can
    // be edited, when there is no current row, or when the current row is unicolumn.
    virtual bool EditAt(int col);
    // Ends editing and gives the grid the focus back when it can take it.
    void HideEditor();

    // Moves the grid's current cell to the next editable cell, first along the current row and
    // then down the rows; false when there is none (the current cell stays where it was).
    bool NextCell();

    // Whether editing runs on the grid's current cell.
    bool IsEditing() const { return editing_; }
    VGDataType DataType() const { return dataType_; }
    // The cell's rectangle in the grid's client coordinates, as of the last start.
    TRect EditRect() const { return editRect_; }

private:
    // Settles on the grid's current cell: the row's settings, the column in view, the rectangle.
    void showEditor();

    TVexoGrid* grid_;
    VGDataType dataType_ = vgString;
    TRect editRect_{};
    bool editing_ = false;
};

} // namespace vexo
