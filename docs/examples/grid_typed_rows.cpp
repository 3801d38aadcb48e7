// A grid built in code: three typed columns, rows written through a row class, and the events of
// the current row and of the in-place cell editor.
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGEdit.h"
#include "controls/grid/VexoGrid.h"
#include "controls/grid/VexoRow.h"
#include "framework/windows/TForm.h"

#include <iostream>

using namespace vexo;

// One member per column, in column order: the typed view of a row.
class ClientRow : public TVexoRow {
public:
    explicit ClientRow(TVexoGrid* grid) : TVexoRow(grid), name(this, 0), since(this, 1), balance(this, 2) {}
    TVexoDataCol_string name;
    TVexoDataCol_date since;
    TVexoDataCol_float balance;
};

void GridTypedRows() {
    TForm form(nullptr); // owns the grid: deleting the form deletes it
    form.SetClientWidth(420);
    form.SetClientHeight(200);

    auto* grid = new TVexoGrid(&form);
    grid->SetParent(&form);
    grid->SetAlign(alClient);
    grid->SetEditable(true);

    const struct {
        const char* field;
        const char* caption;
        int width;
        VGDataType type;
    } columns[] = {
        {"name", "Cliente", 180, vgString}, {"since", "Alta", 90, vgDate}, {"balance", "Saldo", 90, vgFloat}};
    for (const auto& c : columns) {
        TVGColumn* column = grid->Columns()->Add();
        column->SetFieldName(c.field);
        column->SetCaption(c.caption);
        column->SetWidth(c.width);
        column->SetDataType(c.type);
    }
    grid->Columns()->Items(2)->SetAlignment(taRightJustify);

    ClientRow row(grid); // bound to the last row until moved
    const struct {
        const char* name;
        sDB_date since;
        double balance;
    } clients[] = {{"Ferretería Ruiz", {3, 2, 2004}, 1250.5}, {"Óptica Sol", {17, 9, 2011}, -80.0}};
    for (const auto& c : clients) {
        row.Append();
        row.name = c.name;
        row.since = c.since;
        row.balance = c.balance;
    }

    // Events fire only when assigned. Moving the current row: exit of the old row, then enter.
    grid->OnRowExit = [](int r, bool modified) {
        std::cout << "exit " << r << (modified ? " (modified)\n" : "\n");
    };
    grid->OnRowEnter = [](int r) { std::cout << "enter " << r << '\n'; };
    grid->OnCellModified = [](int r, int c) { std::cout << "cell " << r << ',' << c << " modified\n"; };
    grid->SetRowIndex(0);
    grid->SetRowIndex(1);

    // Reading back through a row bound to the current row: typed values, not texts.
    row.MoveTo(TVexoRow::CurrentRow);
    std::cout << row.name.Get() << " owes " << -row.balance.Get() << '\n';

    // The editor opens on the first editable cell from column 2 of the current row.
    if (grid->Editor()->EditAt(2)) {
        grid->Editor()->setText("99,5");
        grid->Editor()->Commit(); // stores "99,50" and fires OnCellModified
        grid->Editor()->HideEditor();
    }
    std::cout << grid->GetString(1, 2) << '\n';
}
