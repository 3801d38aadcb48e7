#include "db/sDB_exec.h"
#include "db/DbTestSupport.h"
#include "db/sDB_query.h"

#include <gtest/gtest.h>

namespace {

using namespace vexo;
using namespace std::string_literals;

using sDB_execTest = DbTest;

// Every byte survives quoting, the statement and the read back, in a text column and a binary one.
TEST_F(sDB_execTest, QuotedTextsRoundTripByteForByte) {
    admin("create table t (n int primary key, txt varchar(60), bin blob)");
    const std::string texts[] = {"O'Brien",      "back\\slash\\", "zero\0byte\0"s, "ñandú «sí» €",  "",
                                 "x' or '1'='1", "\"dq\" `tick`", "nl\ncr\r\x1a",  "\\' or 1=1 -- "};
    int n = 0;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const std::string value = sDB_quote(&db, text);
        EXPECT_EQ(sDB_quote(nullptr, text), value) << "escaped alike without a connection";
        const std::string key = std::to_string(++n);
        EXPECT_EQ(sDB_exec(&db, "insert into t values (" + key + ", " + value + ", " + value + ")"), 1);
        sDB_query q;
        q.setConnection(&db);
        q.open("select txt, bin from t where n=" + key);
        EXPECT_EQ(q.getString(0), text);
        EXPECT_EQ(q.getString(1), text);
    }
    EXPECT_EQ(sDB_quote(&db, "O'Brien"), "'O\\'Brien'");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(sDB_execTest, ReturnsTheRowsChangedOrReportsTheFailure) {
    admin("create table t (n int)");
    admin("insert into t values (1), (2), (3)");
    const struct {
        sDB_connection* connection;
        std::string sql;
        int changed;
        std::vector<std::string> captions;
    } cases[] = {
        {&db, "update t set n=n+10 where n>1", 2, {}},
        // Rows a statement returns are dropped, and the link stays in step for the next one.
        {&db, "select * from t", -1, {}},
        {&db, "delete from t", 3, {}},
        {&db, "delete form t", 0, {"sDB_query error"}},
        {nullptr, "delete from t", 0, {"OJO"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(sDB_exec(c.connection, c.sql), c.changed);
        EXPECT_EQ(takeCaptions(), c.captions);
    }
    sDB_exec(&db, "delete form t");
    sDB_exec(nullptr, "delete from t");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].text.find("SQL syntax"), std::string::npos) << messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].flags, 0u);
    EXPECT_EQ(messages.shown[1].text, "No se ha asignado conexión\nTodo va a fallar");
}

} // namespace
