// The data-bound grid example: the clients of a demo table, grouped by region; an edited cell is
// written back to its record at once.
//
//     vexo_dbgrid                     starts a private MariaDB in a temporary folder, seeds the
//                                     table, shows the form; the folder goes when the program ends
//     vexo_dbgrid --socket FILE ...   uses a running server instead (--host, --port, --socket,
//                                     --user, --password, --database, as a MySQL client takes them)
//     vexo_dbgrid --screenshot FILE   writes a PNG of the form and prints its path
#include "app/ExampleMain.h"
#include "db/DBVexoGrid.h"
#include "examples/dbgrid/DbGridForm.h"
#include "examples/dbgrid/DemoDatabase.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"

#include <QApplication>

using namespace vexo;

int main(int argc, char** argv) {
    // Outlives the forms, which RunExample destroys before it returns.
    DemoDatabase database;
    TExample example{"vexo_dbgrid",
                     "The clients of a demo table in a data-bound grid, written back as edited.",
                     [&database] {
                         sDB_connection& connection = database.open();
                         TDbGridForm* form = nullptr;
                         Application->CreateForm(form);
                         form->grid->connection = &connection;
                         form->grid->fill();
                         return static_cast<TForm*>(form);
                     },
                     [](TForm* form) {
                         form->Show();
                         QApplication::processEvents();
                         return RenderToImage(form);
                     }};
    example.options = DemoDatabase::options();
    example.takeOptions = [&database](const QCommandLineParser& parser) {
        return database.takeOptions(parser);
    };
    return RunExample(argc, argv, example);
}
