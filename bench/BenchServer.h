#pragma once
// The server the database benchmarks run on: the one whose VEXO_TEST_MYSQL_* settings
// tools/mariadb-server.sh prints.
#include "db/sDB_connection.h"

#include <cstdlib>

// Connects db to the benchmark server; false when its settings are not in the environment or the
// connection fails.
inline bool ConnectBenchServer(vexo::sDB_connection& db) {
    const auto env = [](const char* name, const char* fallback) {
        const char* v = std::getenv(name);
        return v != nullptr ? v : fallback;
    };
    if (std::getenv("VEXO_TEST_MYSQL_SOCKET") == nullptr) return false;
    vexo::sDB_connection::Parameters p;
    p.socket = env("VEXO_TEST_MYSQL_SOCKET", "");
    p.user = env("VEXO_TEST_MYSQL_USER", "root");
    p.password = env("VEXO_TEST_MYSQL_PASSWORD", "");
    p.database = env("VEXO_TEST_MYSQL_DATABASE", "vexotest");
    return db.connect(p);
}
