#include "db/DBVexoGrid.h"
#include "controls/grid/GridTestSupport.h"
#include "db/DbTestSupport.h"
#include "db/GridLayout.h"
#include "db/sDB_query.h"
#include "values/VexoConvert.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vexo;

class DBVexoGridTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        admin("create table clientes (code varchar(20) primary key, nombre varchar(10), region varchar(20), "
              "alta date, hora time, importe decimal(10,2), saldo decimal(10,2), n int, activo bit(1), "
              "creado datetime, ratio double)");
        admin("insert into clientes values "
              "('C1', 'Eva', 'Norte', '2006-01-05', '09:30', 1234.56, 10.5, 7, 1, '2006-01-05 10:00', 0.25), "
              "('C2', 'Luis', 'Norte', '2007-02-06', '10:15', 20.05, 0, -3, 0, null, 1.5), "
              "('C3', 'Ana', 'Sur', null, null, null, null, null, null, null, null)");
        grid = std::make_unique<TDBVexoGrid>(nullptr);
        grid->SetBounds(0, 0, 600, 200);
        grid->HandleNeeded();
        grid->connection = &db;
        grid->SetSQLTableName("clientes");
        grid->SetSQLOrderBy("code");
        grid->OnCellModified = [this](int row, int col) {
            modified.push_back(std::to_string(row) + "," + std::to_string(col));
        };
    }
    void bindColumns(const std::vector<ColumnDef>& defs) {
        grid->Columns()->Clear();
        AddColumns(*grid, defs);
    }
    // As the cell editor commits a value: the current cell's text stored, then the write-back.
    void edit(int row, int col, const std::string& text) {
        grid->SetRowIndex(row);
        grid->SetColIndex(col);
        grid->SetString(row, col, text);
        grid->SetRowModified(true);
        grid->doCellModified();
    }
    std::string record(const std::string& column, const char* code) {
        return admin("select " + column + " from clientes where code='" + code + "'");
    }

    std::unique_ptr<TDBVexoGrid> grid;
    std::vector<std::string> modified;
};

TEST_F(DBVexoGridTest, FillTypesTheColumnsFromTheResultAndShowsEachRecord) {
    const struct {
        const char* field;
        VGDataType before, after;
        const char *c1, *c3; // cells of the first and the last record (all NULL but code and name)
    } cases[] = {
        {"code", vgInteger, vgString, "C1", "C3"},
        {"NOMBRE", vgString, vgString, "Eva", "Ana"},
        {"alta", vgString, vgDate, "05/01/2006", ""},
        {"hora", vgString, vgTime, "09:30", ""},
        {"importe", vgInteger, vgFloat, "1234,56", ""}, // a DECIMAL with cents
        {"saldo", vgMoney, vgMoney, "10,50", ""},
        {"n", vgFloat, vgInteger, "7", ""},
        {"activo", vgBoolean, vgBoolean, "true", ""}, // BIT: the column's own type
        {"creado", vgString, vgString, "2006-01-05 10:00:00", ""},
        {"ratio", vgMoney, vgFloat, "0,25", ""},
        {"nada", vgDate, vgDate, "", ""},
        {"", vgTime, vgTime, "", ""},
    };
    std::vector<ColumnDef> defs;
    for (const auto& c : cases)
        defs.push_back({c.field, c.before});
    bindColumns(defs);
    admin("update clientes set nombre='' where code='C2'"); // empty, not NULL
    grid->fill();
    EXPECT_EQ(sent.back(), "select * from clientes order by code");
    EXPECT_EQ(GridLayout(*grid), "C1|C2|C3");
    for (int col = 0; col < static_cast<int>(std::size(cases)); ++col) {
        const auto& c = cases[col];
        SCOPED_TRACE(c.field);
        EXPECT_EQ(grid->Columns()->Items(col)->DataType(), c.after);
        EXPECT_EQ(grid->Columns()->Items(col)->ReadOnly(), std::string(c.field) == "nada");
        EXPECT_EQ(grid->GetString(0, col), c.c1);
        EXPECT_EQ(grid->GetString(2, col), c.c3);
        // SQL NULL and unbound cells stay null; every value read, even an empty one, is not.
        EXPECT_EQ(grid->Row(0)->isNull(col), *c.c1 == '\0');
        EXPECT_EQ(grid->Row(2)->isNull(col), *c.c3 == '\0');
    }
    EXPECT_EQ(grid->GetString(1, 1), "");
    EXPECT_FALSE(grid->Row(1)->isNull(1));
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{});
    EXPECT_TRUE(grid->table.eof()) << "no row is current: the table holds nothing";
}

TEST_F(DBVexoGridTest, AFailedOrEmptySelectEmptiesTheGridAndKeepsOrTypesTheColumns) {
    bindColumns({{"nombre", vgInteger}, {"n", vgString}});
    grid->fill();
    grid->SetSQLWhere("nope=1");
    grid->Columns()->Items(0)->SetDataType(vgDate);
    grid->fill();
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{"sDB_query error"});
    EXPECT_EQ(grid->GetRowCount(), 0);
    EXPECT_EQ(grid->Columns()->Items(0)->DataType(), vgDate);
    EXPECT_FALSE(grid->Columns()->Items(0)->ReadOnly());
    EXPECT_FALSE(grid->Columns()->Items(1)->ReadOnly());

    grid->SetSQLWhere("n=99");
    grid->fill();
    EXPECT_EQ(grid->GetRowCount(), 0);
    EXPECT_EQ(grid->Columns()->Items(0)->DataType(), vgString);
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{});
}

TEST_F(DBVexoGridTest, AColumnItsTypeCannotReadIsReportedOncePerFill) {
    // A DATETIME is not a date the grid reads; the column keeps its type and its cells stay empty.
    bindColumns({{"code"}, {"creado", vgDate}});
    grid->fill();
    grid->fill();
    EXPECT_EQ(takeCaptions(), (std::vector<std::string>{"error de tipo de datos", "error de tipo de datos"}));
    EXPECT_EQ(grid->GetString(0, 1), "");
    EXPECT_EQ(grid->GetRowCount(), 3);
}

TEST_F(DBVexoGridTest, SeparatorRowsStartWhereTheSeparatorValueChanges) {
    admin("update clientes set region='' where code='C1'");
    const struct {
        const char* field;
        bool handler;
        const char* layout;
        int messages;
    } cases[] = {
        {"region", true, "C1|#Norte|C2|#Sur|C3", 0}, // the empty value starts none
        {"REGION", false, "C1|C2|C3", 0},
        {"", true, "C1|C2|C3", 0},
        {"nada", true, "C1|C2|C3", 0},
        {"alta", true, "C1|C2|C3", 1}, // a date is not text
    };
    bindColumns({{"code"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        grid->setSeparatorField(c.field);
        grid->OnSeparator = nullptr;
        // The table stands on the record that follows the separator.
        if (c.handler)
            grid->OnSeparator = [this](void* fld, std::string& text) {
                EXPECT_EQ(fld, nullptr);
                text = grid->table.getString("region");
            };
        grid->fill();
        EXPECT_EQ(GridLayout(*grid), c.layout);
        EXPECT_EQ(takeCaptions().size(), static_cast<std::size_t>(c.messages));
    }
}

TEST_F(DBVexoGridTest, EnteringARowSelectsItsRecordAndTheLinkedTableFollows) {
    admin("create table notas (code varchar(20) primary key, texto varchar(20))");
    admin("insert into notas values ('C1', 'primera'), ('C3', 'tercera')");
    sDB_table notas;
    notas.setConnection(&db);
    notas.setTableName("notas");
    grid->linkedTable = &notas;
    std::vector<std::string> asked;
    grid->OnFillFieldSP = [&](const std::string& field, std::string& text) {
        asked.push_back(field);
        text = notas.getString("texto");
    };
    int filled = 0;
    grid->OnFillRow = [&](TVexoRow& row, void* ds) {
        EXPECT_EQ(&row, &grid->sRow);
        EXPECT_EQ(ds, nullptr);
        ++filled;
    };
    grid->setSeparatorField("region");
    grid->OnSeparator = [](void*, std::string& text) { text = "zona"; };
    bindColumns({{"code"}, {"nota"}});
    grid->fill();
    EXPECT_EQ(filled, 3);
    EXPECT_EQ(asked, (std::vector<std::string>{"nota", "nota", "nota"}));
    EXPECT_EQ(grid->GetString(1, 1), "primera");
    EXPECT_EQ(grid->GetString(2, 1), "");
    EXPECT_EQ(grid->GetString(4, 1), "tercera");
    EXPECT_TRUE(grid->Columns()->Items(1)->ReadOnly());

    grid->SetRowIndex(4);
    EXPECT_EQ(grid->table.getCode(), "C3");
    EXPECT_EQ(notas.getCode(), "C3");
    sent.clear();
    grid->SetRowIndex(3);
    EXPECT_EQ(sent, std::vector<std::string>{}) << "a separator row has no record";
    EXPECT_EQ(grid->sRow.RowIndex(), 3);
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{});
}

TEST_F(DBVexoGridTest, AChangedCellIsWrittenToItsRecordWithItsType) {
    const struct {
        const char* field;
        VGDataType type;    // before the fill
        const char* text;   // as the editor stores it
        const char* stored; // what the database then holds
        const char* shown;  // the cell, reloaded
    } cases[] = {
        {"nombre", vgString, "Rosa", "Rosa", "Rosa"},
        {"alta", vgString, "07/03/2010", "2010-03-07", "07/03/2010"},
        {"hora", vgString, "18:45", "18:45:00", "18:45"},
        {"importe", vgString, "99,95", "99.95", "99,95"},
        {"saldo", vgMoney, "1.234,5", "1234.50", "1.234,50"},
        {"n", vgString, "42", "42", "42"},
        {"activo+0", vgBoolean, "true", "1", "true"},
        {"ratio", vgString, "-0,5", "-0.5", "-0,50"},
    };
    std::vector<ColumnDef> defs = {{"code"}};
    for (const auto& c : cases)
        defs.push_back({c.field == std::string("activo+0") ? "activo" : c.field, c.type});
    bindColumns(defs);
    grid->fill();
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.field);
        edit(1, i + 1, c.text);
        EXPECT_EQ(record(c.field, "C2"), c.stored);
        EXPECT_EQ(grid->GetString(1, i + 1), c.shown);
        EXPECT_EQ(modified.back(), "1," + std::to_string(i + 1));
    }
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{});
    EXPECT_EQ(admin("select concat(nombre, n) from clientes where code<>'C2' order by code"), "Eva7");
}

// Whatever the table holds when the cell changes, the update names the row's own record.
TEST_F(DBVexoGridTest, TheUpdateAlwaysNamesTheCurrentRowsRecord) {
    const struct {
        const char* what;
        std::function<void(TDBVexoGrid&)> before;
    } cases[] = {
        {"after a fill that restored the row",
         [](TDBVexoGrid& g) {
             g.SetRowIndex(1);
             g.fill();
         }},
        {"after the application selected another record", [](TDBVexoGrid& g) { g.table.selectByCode("C3"); }},
        {"after the application selected a set", [](TDBVexoGrid& g) { g.table.select("", "code desc"); }},
        {"with the table closed", [](TDBVexoGrid& g) { g.table.close(); }},
    };
    bindColumns({{"code"}, {"nombre"}});
    grid->fill();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        grid->SetRowIndex(1);
        c.before(*grid);
        ASSERT_EQ(grid->GetRowIndex(), 1);
        edit(1, 1, "X");
        EXPECT_EQ(record("nombre", "C2"), "X");
        EXPECT_EQ(admin("select group_concat(nombre order by code) from clientes where code<>'C2'"),
                  "Eva,Ana");
        edit(1, 1, "Luis");
    }
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{});
}

TEST_F(DBVexoGridTest, AWriteThatFailsLeavesTheCellWithWhatTheDatabaseHolds) {
    const struct {
        const char* what;
        int col;
        const char* text;
        std::function<void()> before;
        std::vector<std::string> captions;
        bool raised; // the application's cell event
    } cases[] = {
        {"a text too long for the column", 1, "Bartolomeo Pérez", nullptr, {"sDB_query error"}, true},
        {"a date the server refuses", 2, "31/02/2010", nullptr, {"sDB_query error"}, true},
        {"money that cannot be read", 3, "doce", nullptr, {"error de tipo de datos"}, false},
        {"a record that is gone",
         1,
         "Rosa",
         [this] { admin("delete from clientes where code='C2'"); },
         {"sDB_table error"},
         false},
        {"a record that is gone, the table holding another",
         1,
         "Rosa",
         [this] {
             admin("delete from clientes where code='C2'");
             grid->table.selectByCode("C1");
         },
         {"sDB_table error"},
         false},
    };
    bindColumns({{"code"}, {"nombre"}, {"alta"}, {"saldo", vgMoney}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        grid->fill();
        grid->SetRowIndex(1);
        const std::string before = grid->GetString(1, c.col);
        if (c.before) c.before();
        modified.clear();
        edit(1, c.col, c.text);
        EXPECT_EQ(grid->GetString(1, c.col), before);
        EXPECT_EQ(takeCaptions(), c.captions);
        EXPECT_EQ(modified.size(), c.raised ? 1u : 0u);
        admin("insert ignore into clientes (code, nombre) values ('C2', 'Luis')");
    }
    EXPECT_EQ(admin("select count(*) from clientes where nombre='Rosa'"), "0");
}

TEST_F(DBVexoGridTest, WithoutARecordOrAConnectionNothingIsWritten) {
    bindColumns({{"code"}, {"nombre"}});
    grid->setSeparatorField("region");
    grid->OnSeparator = [](void*, std::string& text) { text = "zona"; };
    grid->fill();
    sent.clear();
    edit(0, 0, "zona X"); // a separator row
    grid->connection = nullptr;
    edit(1, 1, "Rosa");
    EXPECT_EQ(sent, std::vector<std::string>{"select * from clientes where code='C1'"})
        << "the row enter only";
    EXPECT_EQ(modified, std::vector<std::string>{});
    EXPECT_EQ(record("nombre", "C1"), "Eva");
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{});
}

} // namespace

// Filling takes most texts straight from the server's; for every form the server can send, the
// cell must hold what the conversion through the typed value gives.
TEST_F(DBVexoGridTest, TextsTakenFromTheServerEqualTheTypedConversions) {
    admin("create table bordes (code varchar(20) primary key, alta date, importe decimal(16,2), "
          "n int, z int(5) zerofill, big bigint)");
    admin("insert into bordes values "
          "('a', '2006-01-05', -0.50, 0, 42, 2147483647), ('b', '0000-00-00', 0.00, -7, 0, -2147483648), "
          "('c', '9999-12-31', 12345678901234.99, 2147483647, 7, 99999999999), "
          "('d', '2000-02-29', -1234.05, -2147483648, 99999, 5)");
    grid->SetSQLTableName("bordes");
    bindColumns(
        {{"alta", vgDate}, {"importe", vgFloat}, {"n", vgInteger}, {"z", vgInteger}, {"big", vgInteger}});
    grid->fill();
    ASSERT_EQ(grid->GetRowCount(), 4);
    sDB_query check;
    check.setConnection(&db);
    check.open("select alta, importe, n, z, big from bordes order by code");
    for (int row = 0; !check.eof(); check.next(), ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(grid->GetString(row, 0), check.getDate(0).text());
        EXPECT_EQ(grid->GetString(row, 1), floatToText(moneyDecimals, check.getDouble(1)));
        for (int col = 2; col < 5; ++col)
            EXPECT_EQ(grid->GetString(row, col), intToText(check.getInteger(col))) << "column " << col;
    }
}
