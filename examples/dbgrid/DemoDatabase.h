#pragma once
// The data-bound grid example's database: a server named on the command line, as a MySQL client
// takes it (--host, --port, --socket, --user, --password, --database), or by default a private
// MariaDB started in a temporary folder for the program's lifetime; either way the demo table is
// created and seeded when it is missing. Failures raise vexo::Exception with a text that says
// what to do.
#include "db/sDB_connection.h"

#include <QCommandLineOption>
#include <QList>

#include <memory>
#include <optional>
#include <string>

class QCommandLineParser;

class DemoDatabase {
public:
    static constexpr const char* TableName = "dbgrid_clientes";

    DemoDatabase();
    ~DemoDatabase();
    DemoDatabase(const DemoDatabase&) = delete;
    DemoDatabase& operator=(const DemoDatabase&) = delete;

    static QList<QCommandLineOption> options();
    // The exit code for an option that cannot be used (after saying why), nothing otherwise.
    std::optional<int> takeOptions(const QCommandLineParser& parser);

    // Connects (starting the private server first when no server was named) and seeds the table.
    vexo::sDB_connection& open();

private:
    class PrivateServer;
    void seed();

    vexo::sDB_connection::Parameters parameters_;
    bool serverNamed_ = false;
    std::unique_ptr<PrivateServer> server_;
    vexo::sDB_connection connection_;
};
