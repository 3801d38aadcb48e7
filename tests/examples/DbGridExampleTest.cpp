#include "db/DBVexoGrid.h"
#include "db/DbTestSupport.h"
#include "db/GridLayout.h"
#include "examples/dbgrid/DbGridForm.h"
#include "examples/dbgrid/DemoDatabase.h"

#include <QCommandLineParser>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

using namespace vexo;

namespace {

// The example's database options read from a command line; the exit code of a refused one.
std::optional<int> takeOptions(DemoDatabase& database, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOptions(DemoDatabase::options());
    EXPECT_TRUE(parser.parse(QStringList{"vexo_dbgrid"} + args)) << parser.errorText().toStdString();
    return database.takeOptions(parser);
}

using DbGridExampleTest = DbTest;

TEST(DbGridExampleOptionsTest, RefusesAPortOrADatabaseNameItCannotUse) {
    for (const QStringList& args : {QStringList{"--port", "0"}, QStringList{"--port", "http"},
                                    QStringList{"--database", "a`b"}, QStringList{"--database", ""}}) {
        DemoDatabase database;
        EXPECT_EQ(takeOptions(database, args), 2) << args.join(' ').toStdString();
    }
}

// The form read from its file, on the named test server: the demo table seeded, the clients
// grouped by region, an edit written back and kept when the program seeds the table again.
TEST_F(DbGridExampleTest, ShowsTheSeededClientsByRegionAndWritesAnEditBack) {
    const sDB_connection::Parameters server = testServerParameters();
    DemoDatabase database;
    ASSERT_EQ(takeOptions(database, {"--socket", QString::fromStdString(server.socket), "--user",
                                     QString::fromStdString(server.user), "--password",
                                     QString::fromStdString(server.password), "--database", layerDatabase}),
              std::nullopt);
    TDbGridForm form(nullptr);
    form.grid->connection = &database.open();
    form.grid->fill();
    EXPECT_EQ(GridLayout(*form.grid),
              "#Región Centro|C01|C02|C03|#Región Norte|C04|C05|C06|#Región Sur|C07|C08|C09|C10");
    EXPECT_EQ(form.grid->Columns()->Items(3)->DataType(), vgMoney);
    EXPECT_EQ(form.grid->GetString(2, 3), "349,90");

    form.grid->SetRowIndex(2);
    form.grid->SetColIndex(3);
    form.grid->SetString(2, 3, "1.000,5");
    form.grid->doCellModified();
    EXPECT_EQ(admin("select importe from dbgrid_clientes where code='C02'"), "1000.50");
    database.open();
    form.grid->fill();
    EXPECT_EQ(form.grid->GetString(2, 3), "1.000,50");
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{});
}

} // namespace
