#include "controls/grid/VGEdit.h"

#include "controls/grid/VexoGrid.h"

TVGEdit::TVGEdit(TVexoGrid* grid) : TCustomControl(grid), grid_(grid) {
    SetVisible(false);
    SetParent(grid);
}

bool TVGEdit::EditAt(int col) {
    (void)col;
    return false;
}
