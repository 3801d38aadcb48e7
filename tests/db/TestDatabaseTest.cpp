#include "db/TestDatabase.h"

// The suite's own database must be the real server, reached through the client library, with the
// text encoding the data layer relies on.
TEST(TestDatabase, ReachesTheRealServerInUtf8) {
    MYSQL* db = TestDatabase::connect();
    if (db == nullptr) GTEST_SKIP() << "no test server (run tools/run-tests.sh)";
    ASSERT_EQ(mysql_set_character_set(db, "utf8mb4"), 0) << mysql_error(db);
    ASSERT_EQ(mysql_query(db, "SELECT VERSION(), CHAR_LENGTH('sí ñ')"), 0) << mysql_error(db);
    MYSQL_RES* res = mysql_store_result(db);
    ASSERT_NE(res, nullptr);
    MYSQL_ROW row = mysql_fetch_row(res);
    ASSERT_NE(row, nullptr);
    EXPECT_NE(std::string(row[0]).find("MariaDB"), std::string::npos) << row[0];
    EXPECT_STREQ(row[1], "4");
    mysql_free_result(res);
    mysql_close(db);
}
