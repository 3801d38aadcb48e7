#include "db/sDB_query.h"
#include "db/DbTestSupport.h"
#include "db/sDB_type.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

using namespace vexo;
using namespace std::string_literals;

using sDB_queryTest = DbTest;

// Records the value of column 0 each time a row becomes current.
class RecordingQuery : public sDB_query {
public:
    void afterFetch() override { fetched.push_back(getInteger(0)); }
    std::vector<int> fetched;
};

TEST_F(sDB_queryTest, WalksEveryRowOnceInOrderAndStopsAtTheEnd) {
    admin("create table t (n int)");
    admin("insert into t values (1), (2), (3)");
    RecordingQuery q;
    q.setConnection(&db);
    q.open("select n from t order by n");
    EXPECT_EQ(q.rowCount(), 3);
    while (!q.eof())
        q.next();
    q.next();
    EXPECT_EQ(q.fetched, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(q.getInteger(0), 3) << "the last row stays in place past the end";
    q.first();
    q.next();
    EXPECT_EQ(q.fetched, (std::vector<int>{1, 2, 3, 1, 2}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(sDB_queryTest, OpenKeepsAResultOrStaysClosed) {
    admin("create table t (n int, s varchar(5))");
    admin("insert into t values (1, 'a')");
    admin("create procedure p() begin select 1; select 2; end");
    const struct {
        std::string sql;
        int rows, fields;
        bool eof;
        std::vector<std::string> captions;
    } cases[] = {
        {"select * from t", 1, 2, false, {}},
        {"select * from t where n=0", 0, 2, true, {}},
        {"update t set n=2", -1, -1, true, {}},
        {"select * frm t", -1, -1, true, {"sDB_query error"}},
        {"select nope from t", -1, -1, true, {"sDB_query error"}},
        // Its first result; what else the call left must not put the next statement out of step.
        {"call p()", 1, 1, false, {}},
    };
    RecordingQuery q;
    q.setConnection(&db);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        q.open("select * from t"); // a previous result that each open must close
        ASSERT_EQ(q.rowCount(), 1);
        q.open(c.sql);
        EXPECT_EQ(q.rowCount(), c.rows);
        EXPECT_EQ(q.fieldCount(), c.fields);
        EXPECT_EQ(q.eof(), c.eof);
        EXPECT_EQ(takeCaptions(), c.captions);
    }
}

// Each column type with its code, and what each getter reads of it or the message it gives.
TEST_F(sDB_queryTest, ReadsEveryTypeWithItsGetters) {
    admin("create table t (dec1 decimal(10,2), neg decimal(10,2), dbl double, flt float, i int, "
          "big bigint, d date, dt datetime, ts timestamp null, tm time, b bit(10), y year, bl blob, "
          "s varchar(20), e enum('a','b'))");
    admin("insert into t values (12.50, -2.75, 2.9, -2.9, -7, 5000000000, '2006-01-05', "
          "'2006-01-05 09:05:07', '2006-01-05 09:05:07', '09:05:30', b'1000000001', 2006, "
          "'a\\0b\\0', 'ñandú', 'b')");
    admin("insert into t values ()"); // every column NULL

    using Read = std::function<std::string(const sDB_query&, int)>;
    const Read str = [](const sDB_query& q, int i) { return q.getString(i); };
    const Read integer = [](const sDB_query& q, int i) { return std::to_string(q.getInteger(i)); };
    const Read real = [](const sDB_query& q, int i) {
        std::ostringstream out;
        out << q.getDouble(i);
        return out.str();
    };
    const Read date = [](const sDB_query& q, int i) { return q.getDate(i).text(); };
    const Read time = [](const sDB_query& q, int i) { return q.getTime(i).text(); };
    const struct {
        const char* column;
        int type, mysqlType;
        Read read;
        std::string value, nullValue;
        const char* typeWord; // of the message, when the getter does not read the type
    } cases[] = {
        {"dec1", 200, 246, integer, "12", "0", nullptr},
        {"dec1", 200, 246, real, "12.5", "0", nullptr},
        {"neg", 200, 246, real, "-2.75", "0", nullptr},
        {"dbl", 300, 5, integer, "2", "0", nullptr},
        {"flt", 300, 4, integer, "-2", "0", nullptr},
        {"dbl", 300, 5, real, "2.9", "0", nullptr},
        {"i", 200, 3, real, "-7", "0", nullptr},
        {"big", 200, 8, integer, "2147483647", "0", nullptr},
        {"d", 400, 10, date, "05/01/2006", "00/00/0000", nullptr},
        {"dt", 420, 12, str, "2006-01-05 09:05:07", "", nullptr},
        {"ts", 420, 7, str, "2006-01-05 09:05:07", "", nullptr},
        {"tm", 410, 11, time, "09:05", "00:00", nullptr},
        {"b", 600, 16, integer, "513", "0", nullptr},
        {"y", 400, 13, date, "00/00/0000", "00/00/0000", nullptr},
        {"bl", 500, 252, str, "a\0b\0"s, "", nullptr},
        {"s", 100, 253, str, "ñandú", "", nullptr},
        {"e", 100, 254, str, "b", "", nullptr},
        {"dt", 420, 12, date, "00/00/0000", "00/00/0000", " no es de tipo DATE"},
        {"dec1", 200, 246, date, "00/00/0000", "00/00/0000", " no es de tipo DATE"},
        {"i", 200, 3, str, "", "", " no es de tipo STRING"},
        {"d", 400, 10, time, "00:00", "00:00", " no es de tipo TIME"},
        {"s", 100, 253, real, "0", "0", " no es de tipo DOUBLE"},
        {"bl", 500, 252, integer, "0", "0", " no es de tipo INTEGER"},
    };
    sDB_query q;
    q.setConnection(&db);
    q.open("select * from t");
    ASSERT_EQ(q.rowCount(), 2);
    for (const bool nullRow : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.column) + (nullRow ? " (NULL)" : "") + " as " +
                         (c.typeWord ? c.typeWord : "its type"));
            const int i = q.findColumn(c.column);
            ASSERT_GE(i, 0);
            EXPECT_EQ(q.fieldInfo(i).type, c.type) << sDB_typeName(q.fieldInfo(i).type);
            EXPECT_EQ(q.fieldInfo(i).mysqlType, c.mysqlType) << sDB_mysqlTypeName(q.fieldInfo(i).mysqlType);
            EXPECT_EQ(c.read(q, i), nullRow ? c.nullValue : c.value);
            if (c.typeWord == nullptr) {
                EXPECT_TRUE(messages.shown.empty());
            } else {
                ASSERT_EQ(messages.shown.size(), 1u);
                EXPECT_EQ(messages.shown[0].text, "la columna "s + c.column + c.typeWord);
                EXPECT_EQ(messages.shown[0].caption, "error de tipo de datos");
            }
            messages.shown.clear();
        }
        q.next();
    }
}

TEST_F(sDB_queryTest, FindsColumnsByNameAndBaseTable) {
    admin("create table t1 (name varchar(5), code varchar(5))");
    admin("create table t2 (name varchar(5))");
    admin("insert into t1 values ('uno', 'c1')");
    admin("insert into t2 values ('dos')");
    sDB_query q;
    q.setConnection(&db);
    q.open("select a.name, b.name as otro, b.name, 1+1 as calc from t1 a join t2 b");
    const struct {
        std::string name, table;
        int index;
    } cases[] = {
        {"NAME", "", 0},   {"name", "T2", 2}, {"otro", "", 1},    {"otro", "t2", 1},
        {"name", "b", -1}, {"calc", "", 3},   {"calc", "t1", -1}, {"missing", "", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(q.findColumn(c.name, c.table), c.index) << c.name << " in " << c.table;
    EXPECT_EQ(q.getString("NAME", "t2"), "dos");
    EXPECT_EQ(q.getString("missing", ""), "");
    EXPECT_EQ(q.getInteger("missing", ""), 0);
    EXPECT_TRUE(messages.shown.empty()) << "a missing column reads empty without a message";
    for (const int i : {-1, 4})
        EXPECT_EQ(q.fieldInfo(i).type, 0);
    EXPECT_EQ(sDB_typeName(0), "*desconocido*");
    EXPECT_EQ(sDB_mysqlTypeName(17), "*desconocido*");
}

} // namespace
