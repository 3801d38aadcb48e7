#pragma once
// The sample application's only window: a dialog whose whole client area is one grid with five
// columns and six sample rows. Column "numeric" is read-only for the row whose item data is "RO".
#include "controls/grid/VexoRow.h"
#include "framework/TForm.h"

#include <string_view>

class TVexoGrid;

// The form file the form is built from, embedded in the program when it is built.
std::string_view Form1Text();

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    // Bound from the form file; owned by the form.
    TVexoGrid* grid = nullptr;

    void gridRowNeedData(int row);
};

// The typed row class of `grid`, as the grid's row-code generator writes it.
class grid_dataRow : public TVexoRow {
public:
    explicit grid_dataRow(TVexoGrid* g)
        : TVexoRow(g), a(this, 0), b(this, 1), c(this, 2), d(this, 3), e(this, 4) {}
    TVexoDataCol_string a;
    TVexoDataCol_integer b;
    TVexoDataCol_date c;
    TVexoDataCol_string d;
    TVexoDataCol_float e;
};
