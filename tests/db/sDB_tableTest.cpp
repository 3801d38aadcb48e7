#include "db/sDB_table.h"
#include "db/DbTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace vexo;
using namespace std::string_literals;

// Records the hooks in the order they run.
class RecordingTable : public sDB_table {
public:
    void afterFetch() override { calls.push_back("afterFetch"); }
    void beforeStore() override { calls.push_back("beforeStore"); }
    void beforeClose() override { calls.push_back("beforeClose"); }
    void beforeUpdate() override { calls.push_back("beforeUpdate"); }
    void afterUpdate() override { calls.push_back("afterUpdate"); }
    std::vector<std::string> calls;
};

class sDB_tableTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        admin("create table clientes (code varchar(40) primary key, nombre varchar(40), n int, "
              "p decimal(10,2), d date, h time, activo int)");
        admin("insert into clientes (code, nombre, activo) values ('C001', 'Eva', 1), ('C002', 'Luis', 0), "
              "('C003', 'Ana', 1)");
        table.setConnection(&db);
        table.setTableName("clientes");
        sent.clear();
    }
    RecordingTable table;
};

TEST_F(sDB_tableTest, SendsEachStatementAsBuilt) {
    const struct {
        const char *condition, *order, *sql;
    } selects[] = {
        {"", "", "select * from clientes"},
        {"activo=1", "", "select * from clientes where activo=1"},
        {"", "code", "select * from clientes order by code"},
        {"activo=1", "code desc", "select * from clientes where activo=1 order by code desc"},
    };
    for (const auto& c : selects) {
        table.select(c.condition, c.order);
        EXPECT_EQ(sent.back(), c.sql);
    }
    sent.clear();
    table.selectByCode("x' or '1'='1");
    table.selectByCode("C001");
    table.setString("nombre", "Ana");
    table.setInteger("n", -7);
    table.setFloat("p", 1.5);
    table.setDate("d", sDB_date(5, 1, 2006));
    table.setTime("h", sDB_time(9, 5));
    table.execUpdate();
    table.insertByCode("C9");
    table.deleteByCode("C9");
    EXPECT_EQ(sent, (std::vector<std::string>{
                        "select * from clientes where code='x\\' or \\'1\\'=\\'1'",
                        "select * from clientes where code='C001'",
                        "update clientes set nombre='Ana', n=-7, p=1.500000, d='2006/01/05', h='09:05' "
                        "where code='C001'",
                        "select * from clientes where code='C001'",
                        "insert into clientes set code='C9'",
                        "delete from clientes where code='C9'",
                    }));
    EXPECT_EQ(admin("select concat(nombre, n, p, d, h) from clientes where code='C001'"),
              "Ana-71.502006-01-0509:05:00");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(sDB_tableTest, RunsTheHooksInOrder) {
    const struct {
        const char* what;
        std::function<void(sDB_table&)> action;
        std::vector<std::string> calls;
    } cases[] = {
        {"selectByCode",
         [](sDB_table& t) { t.selectByCode("C001"); },
         {"beforeClose", "afterFetch", "afterFetch"}},
        {"select",
         [](sDB_table& t) { t.select("activo=1", ""); },
         {"beforeClose", "afterFetch", "afterFetch"}},
        {"select of nothing", [](sDB_table& t) { t.select("activo=7", ""); }, {"beforeClose"}},
        {"execUpdate",
         [](sDB_table& t) {
             t.selectByCode("C001");
             t.setInteger("n", 1);
             t.execUpdate();
         },
         {"beforeClose", "afterFetch", "afterFetch", "beforeUpdate", "beforeStore", "beforeClose",
          "afterFetch", "afterFetch", "afterUpdate"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        table.calls.clear();
        c.action(table);
        EXPECT_EQ(table.calls, c.calls);
    }
}

// Codes and texts with quotes, backslashes, zero bytes and non-ASCII letters, hostile ones among
// them, select and delete nothing before they exist; then they go in, are found, updated and
// deleted exactly, and no other record is touched.
TEST_F(sDB_tableTest, CodesAndTextsRoundTripIntact) {
    const std::string texts[] = {"O'Brien", "c:\\dir\\",      "nul\0mid"s,
                                 "Ñandú €", "x' or '1'='1",   "C001' -- ",
                                 "' -- ",   "\\' or 1=1 -- ", "C001' or code like '%"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(table.selectByCode(text));
        EXPECT_FALSE(table.deleteByCode(text));
        ASSERT_TRUE(table.insertByCode(text));
        ASSERT_TRUE(table.selectByCode(text));
        EXPECT_EQ(table.getString("code"), text);
        table.setString("nombre", text);
        table.execUpdate();
        EXPECT_EQ(table.getCode(), text) << "reloaded by its code";
        EXPECT_EQ(table.getString("nombre"), text);
        EXPECT_TRUE(table.deleteByCode(text));
        EXPECT_EQ(admin("select group_concat(nombre order by code) from clientes"), "Eva,Luis,Ana");
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(sDB_tableTest, AnUpdateWithoutRecordOrAssignmentSendsNothingAndSaysSo) {
    const struct {
        const char* what;
        std::function<void(sDB_table&)> prepare;
    } cases[] = {
        {"no record", [](sDB_table& t) { t.setString("nombre", "X"); }},
        {"a row of a set",
         [](sDB_table& t) {
             t.select("", "code");
             t.setString("nombre", "X");
         }},
        {"no assignment", [](sDB_table& t) { t.selectByCode("C001"); }},
        {"a code that has no record",
         [](sDB_table& t) {
             t.selectByCode("none");
             t.setInteger("n", 3);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare(table);
        sent.clear();
        table.calls.clear();
        table.execUpdate();
        EXPECT_EQ(sent, std::vector<std::string>{});
        EXPECT_EQ(takeCaptions(), std::vector<std::string>{"sDB_table error"});
        EXPECT_EQ(table.pendingUpdate(), "");
        EXPECT_EQ(table.calls, (std::vector<std::string>{"beforeUpdate", "beforeStore"}));
    }
    EXPECT_EQ(admin("select group_concat(nombre order by code) from clientes"), "Eva,Luis,Ana");
}

TEST_F(sDB_tableTest, ARejectedUpdateIsReportedDroppedAndTheRecordReloaded) {
    ASSERT_TRUE(table.selectByCode("C002"));
    table.setString("nombre", "Rosa");
    table.setInteger("nope", 1);
    table.execUpdate();
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{"sDB_query error"});
    EXPECT_EQ(table.pendingUpdate(), "");
    EXPECT_EQ(table.getCode(), "C002");
    EXPECT_EQ(table.getString("nombre"), "Luis");
    table.setInteger("n", 4);
    table.execUpdate();
    EXPECT_EQ(sent.back(), "select * from clientes where code='C002'");
    EXPECT_EQ(table.getInteger("n"), 4);
}

TEST_F(sDB_tableTest, WritesNumbersWithAPointUnderACommaLocale) {
    CommaLocale comma;
    ASSERT_TRUE(table.selectByCode("C003"));
    table.setFloat("p", 1.5);
    table.setFloat("n", -0.25);
    EXPECT_EQ(table.pendingUpdate(), "update clientes set p=1.500000, n=-0.250000");
    table.setFloat("p", std::numeric_limits<double>::infinity());
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{"error de tipo de datos"});
    table.execUpdate();
    EXPECT_EQ(table.getDouble("p"), 1.5);
    EXPECT_TRUE(comma.active()) << "the comma locale could not be built; only the framework's was switched";
}

TEST_F(sDB_tableTest, WithoutConnectionNothingRunsUntilADefaultIsSet) {
    sDB_table lost;
    lost.setTableName("clientes");
    EXPECT_FALSE(lost.selectByCode("C001"));
    EXPECT_EQ(lost.select("", ""), -1);
    EXPECT_FALSE(lost.deleteByCode("C001"));
    EXPECT_EQ(takeCaptions(), (std::vector<std::string>{"OJO", "OJO", "OJO"}));
    sDB_defaultConnection = &db;
    EXPECT_TRUE(lost.selectByCode("C001"));
    sDB_defaultConnection = nullptr;
    EXPECT_EQ(lost.connection(), &db);
    EXPECT_EQ(admin("select count(*) from clientes"), "3");
}

} // namespace
