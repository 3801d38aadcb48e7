// The data layer: a connection, statements, a walk over a query's result, an update of one record
// by its code, and a data-bound grid over the same table that writes an edited cell back at once.
#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VGEdit.h"
#include "db/DBVexoGrid.h"
#include "db/sDB_connection.h"
#include "db/sDB_exec.h"
#include "db/sDB_query.h"
#include "db/sDB_table.h"
#include "framework/windows/TForm.h"

#include <iostream>
#include <string>

using namespace vexo;

void DatabaseGrid(const sDB_connection::Parameters& parameters) {
    sDB_connection connection;                   // closes when it goes; queries and grids only point to it
    if (!connection.connect(parameters)) return; // the failure was shown already
    sDB_defaultConnection = &connection;         // for queries given no connection
    connection.OnStatement = [](const std::string& sql) { std::clog << sql << '\n'; };

    // A temporary table lives as long as the connection: the example leaves nothing behind.
    sDB_exec(&connection,
             "CREATE TEMPORARY TABLE clientes (code VARCHAR(10) PRIMARY KEY, nombre VARCHAR(60), "
             "region VARCHAR(20), alta DATE, saldo DECIMAL(10,2))");
    const struct {
        const char* code;
        const char* name;
        const char* region;
    } clients[] = {
        {"C1", "Ferretería Ruiz", "Norte"}, {"C2", "O'Brien & Hijos", "Norte"}, {"C3", "Óptica Sol", "Sur"}};
    for (const auto& c : clients)
        sDB_exec(&connection, "INSERT INTO clientes VALUES (" + sDB_quote(&connection, c.code) + ", " +
                                  sDB_quote(&connection, c.name) + ", " + sDB_quote(&connection, c.region) +
                                  ", '2006-01-05', 0)"); // sDB_quote escapes the apostrophe

    // A query keeps the whole result; the first row is current after open.
    sDB_query query; // takes sDB_defaultConnection
    for (query.open("SELECT nombre, alta FROM clientes ORDER BY code"); !query.eof(); query.next())
        std::cout << query.getString("nombre") << ", " << query.getDate(1).text() << '\n';

    // A record statement: select by code, add assignments, send them as one UPDATE.
    sDB_table table;
    table.setConnection(&connection);
    table.setTableName("clientes");
    if (table.selectByCode("C3")) {
        table.setFloat("saldo", 120.5);
        table.execUpdate(); // and reloads the record
        std::cout << table.getDouble("saldo") << '\n';
    }

    // The data-bound grid: its columns name the table's fields; a change of region starts a group.
    TForm form(nullptr);
    auto* grid = new TDBVexoGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 400, 200);
    grid->SetEditable(true);
    for (const char* field : {"code", "nombre", "alta", "saldo"}) {
        TVGColumn* column = grid->Columns()->Add();
        column->SetFieldName(field);
        column->SetCaption(field);
    }
    grid->Columns()->Items(0)->SetReadOnly(true); // the key: never edited
    grid->connection = &connection;
    grid->SetSQLTableName("clientes");
    grid->SetSQLOrderBy("region, code");
    grid->setSeparatorField("region");
    grid->OnSeparator = [grid](void*, std::string& text) {
        text = "Región " + grid->table.getString("region");
    };
    grid->fill(); // the columns take their types from the result: alta a date, saldo a float

    // Row 0 is the separator "Región Norte"; row 1 is C1. The editor writes the cell to C1's record.
    grid->SetRowIndex(1);
    if (grid->Editor()->EditAt(1)) {
        grid->Editor()->setText("Ferretería Ruiz e Hijos");
        grid->Editor()->Commit(); // UPDATE clientes SET nombre=... WHERE code='C1', then reads it back
        grid->Editor()->HideEditor();
    }
    std::cout << grid->GetString(1, 1) << '\n';
    sDB_defaultConnection = nullptr;
}
