#include "app/Form1.h"

#include "controls/grid/GridProperties.h"
#include "controls/grid/VexoGrid.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/TClassDecl.h"
#include "values/sDB_date.h"

#include <cassert>

using namespace vexo;

namespace {

// The form file names its class and its handler; both must be known before the text is read.
void registerForm1() {
    static const bool registered = [] {
        RegisterGridClasses();
        RegisterClass<TForm1, TForm>("TForm1").Method("gridRowNeedData", &TForm1::gridRowNeedData);
        return true;
    }();
    (void)registered;
}

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    registerForm1();
    ReadComponentText(Form1Text(), this);
    grid = dynamic_cast<TVexoGrid*>(FindComponent("grid"));
    assert(grid != nullptr && "the form file creates the grid");

    const std::string sentence = "Con cien cañones por banda, viento en popa a toda vela";
    const sDB_date date(1, 10, 2006);
    grid_dataRow row(grid);
    const struct {
        const char* a;
        const char* data; // item data slot 0, the row's RowData
        int b;
        double e;
    } rows[] = {{"row normal", "", 10, 1000.5},
                {"row normal", "", 11, 1100.0},
                {"numeric is Read-only", "RO", 12, 1200.0},
                {"row normal", "", 13, 1300.0},
                {"row normal", "", 14, 1400.0},
                {"row normal", "", 15, 1500.4}};
    for (const auto& r : rows) {
        row.Append();
        row.a = r.a;
        if (*r.data) row.SetItemData(0, r.data);
        row.b = r.b;
        row.c = date;
        row.d = sentence;
        row.e = r.e;
    }
}

void TForm1::gridRowNeedData(int row) {
    grid->Columns()->Items(1)->SetReadOnly(grid->GetRowData(row) == "RO");
}
