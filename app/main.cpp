// The sample application: one form with the grid, run in the framework's message loop.
//
//     vexo_sample                     shows the form until it is closed
//     vexo_sample --screenshot FILE   writes a PNG of the form and prints its path; without a
//                                     platform chosen it needs no display
//     vexo_sample --edit ROW,COL      opens the cell editor on that cell (with --screenshot, in
//                                     the picture)
#include "app/ExampleMain.h"
#include "app/Form1.h"
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGEdit.h"
#include "controls/grid/VexoGrid.h"
#include "framework/windows/TApplication.h"

#include <sstream>
#include <string>

using namespace vexo;

namespace {

// "ROW,COL": the row becomes current and editing starts at the column, as a click on the cell
// would start it.
bool editCell(TForm* form, const std::string& cell) {
    TVexoGrid* grid = static_cast<TForm1*>(form)->grid;
    int row = -1, col = -1;
    char comma = 0;
    std::istringstream in(cell);
    if (!(in >> row >> comma >> col) || comma != ',' || !in.eof()) return false;
    if (row < 0 || row >= grid->GetRowCount() || col < 0 || col >= grid->Columns()->Count()) return false;
    grid->SetRowIndex(row);
    if (!grid->Editor()->EditAt(col)) return false;
    return grid->GetRowIndex() == row && grid->GetColIndex() == col;
}

} // namespace

int main(int argc, char** argv) {
    TExample example{"vexo_sample", "The grid sample: five columns, six rows.", [] {
                         TForm1* form = nullptr;
                         Application->CreateForm(form);
                         return static_cast<TForm*>(form);
                     }};
    example.editCell = editCell;
    return RunExample(argc, argv, example);
}
