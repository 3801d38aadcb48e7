#pragma once
// The sample application's only window: a dialog whose whole client area is one grid with five
// columns and six sample rows. Column "numeric" is read-only for the row whose item data is "RO".
#include "controls/grid/VexoRow.h"
#include "framework/windows/TForm.h"

#include <string_view>

namespace vexo {
class TVexoGrid;
}

// The form file the form is built from, embedded in the program when it is built.
std::string_view Form1Text();

class TForm1 : public vexo::TForm {
public:
    explicit TForm1(vexo::TComponent* owner);

    // Bound from the form file; owned by the form.
    vexo::TVexoGrid* grid = nullptr;

    void gridRowNeedData(int row);
};

// The typed row class of `grid`, as the grid's row-code generator writes it.
class grid_dataRow : public vexo::TVexoRow {
public:
    explicit grid_dataRow(vexo::TVexoGrid* g)
        : vexo::TVexoRow(g), a(this, 0), b(this, 1), c(this, 2), d(this, 3), e(this, 4) {}
    vexo::TVexoDataCol_string a;
    vexo::TVexoDataCol_integer b;
    vexo::TVexoDataCol_date c;
    vexo::TVexoDataCol_string d;
    vexo::TVexoDataCol_float e;
};
