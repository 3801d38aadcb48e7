// The grid read back through Qt's accessibility interfaces, as a screen reader reads it.
#include "GridTestSupport.h"

#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>

using namespace vexo;

namespace {

QString cellName(QAccessibleTableInterface* table, int row, int col) {
    QAccessibleInterface* cell = table->cellAt(row, col);
    return cell ? cell->text(QAccessible::Name) : QString("<none>");
}

} // namespace

TEST(VexoGridAccessibleTest, AScreenReaderReadsTheGridAsATable) {
    auto grid = MakeGrid();
    AddColumns(*grid, {{"name", vgString, 80}, {"price", vgFloat, 60}, {"when", vgDate, 80}});
    grid->Columns()->Items(0)->SetCaption("Cliente");
    grid->Columns()->Items(1)->SetCaption("Importe");
    grid->Columns()->Items(1)->SetAlignment(taRightJustify);
    grid->SetCheckBoxes(true);
    for (const char* name : {"Ana", "Bruno"}) {
        grid->AddRow();
        grid->AddString(0, name);
        grid->AddString(1, "1234,5");
        grid->AddString(2, "05/01/2006");
    }
    grid->AddRow();
    grid->Row(2)->setUnicolumn(true);
    grid->SetString(2, 0, "Zona norte");
    grid->SetRowChecked(1, true);
    grid->SetRowIndex(1);
    grid->SetColIndex(1);

    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(grid->Widget());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Table);
    QAccessibleTableInterface* table = face->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->columnDescription(0), "Cliente");
    EXPECT_EQ(table->columnDescription(1), "Importe");

    struct Cell {
        int row, col;
        const char* name;
    };
    const Cell cells[] = {
        {0, 0, "Ana"}, {1, 0, "Bruno"}, {2, 0, "Zona norte"}, {2, 1, ""}, {3, 0, "<none>"}, {0, 3, "<none>"},
    };
    for (const Cell& c : cells)
        EXPECT_EQ(cellName(table, c.row, c.col), c.name) << c.row << "," << c.col;
    EXPECT_EQ(cellName(table, 0, 1), QString::fromStdString(grid->Surface()->CellText(0, 1)).trimmed())
        << "the text as the grid shows it, without the blanks that align it";
    EXPECT_EQ(cellName(table, 0, 2), QString::fromStdString(grid->Surface()->CellText(0, 2)).trimmed());

    QAccessibleInterface* current = table->cellAt(1, 1);
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(current->state().focused) << "the current cell";
    EXPECT_FALSE(table->cellAt(1, 0)->state().focused);
    EXPECT_TRUE(table->isRowSelected(1));
    EXPECT_FALSE(table->isRowSelected(0));
    ASSERT_EQ(table->selectedCellCount(), 1);
    EXPECT_EQ(table->selectedCells().first()->tableCellInterface()->rowIndex(), 1);

    struct Check {
        int row;
        bool checkable, checked;
    };
    for (const Check& c : {Check{0, true, false}, Check{1, true, true}, Check{2, false, false}}) {
        const QAccessible::State st = table->cellAt(c.row, 0)->state();
        EXPECT_EQ(bool(st.checkable), c.checkable) << c.row;
        EXPECT_EQ(bool(st.checked), c.checked) << c.row;
    }

    // Read at the moment it is asked: a row deleted is gone from the table at once.
    grid->DeleteRow(0);
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(cellName(table, 0, 0), "Bruno");
}
