#pragma once
// Connection to the private MariaDB server that tools/run-tests.sh starts. Without the server the
// database tests are skipped, unless VEXO_REQUIRE_MYSQL is set (as the test script does), in which
// case they fail: CI must never pass by skipping them.
#include <cstdlib>
#include <gtest/gtest.h>
#include <mysql.h>
#include <string>

class TestDatabase {
public:
    // Connects, or returns null after recording a skip or a failure in the running test.
    static MYSQL* connect() {
        const char* socket = std::getenv("VEXO_TEST_MYSQL_SOCKET");
        if (socket == nullptr) {
            if (std::getenv("VEXO_REQUIRE_MYSQL") != nullptr)
                ADD_FAILURE() << "VEXO_TEST_MYSQL_SOCKET is not set";
            return nullptr;
        }
        MYSQL* db = mysql_init(nullptr);
        if (mysql_real_connect(db, nullptr, env("VEXO_TEST_MYSQL_USER", "root").c_str(),
                               env("VEXO_TEST_MYSQL_PASSWORD", "").c_str(),
                               env("VEXO_TEST_MYSQL_DATABASE", "vexotest").c_str(), 0, socket, 0) == nullptr) {
            ADD_FAILURE() << "cannot connect to the test server: " << mysql_error(db);
            mysql_close(db);
            return nullptr;
        }
        return db;
    }

private:
    static std::string env(const char* name, const char* fallback) {
        const char* v = std::getenv(name);
        return v != nullptr ? v : fallback;
    }
};
