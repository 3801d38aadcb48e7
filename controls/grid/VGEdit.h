#pragma once
// The grid's in-place cell editor. It is created hidden and stays so until editing arrives with
// the editor's own work; the grid already asks it whether it is editing and where to start.
#include "framework/TCustomControl.h"

class TVexoGrid;

class TVGEdit : public TCustomControl {
public:
    explicit TVGEdit(TVexoGrid* grid);

    TVexoGrid* Grid() const { return grid_; }
    // Starts editing the current row at the first editable cell from col on; false when none.
    // Until the editor exists this finds no cell and stays hidden.
    virtual bool EditAt(int col);

private:
    TVexoGrid* grid_;
};
