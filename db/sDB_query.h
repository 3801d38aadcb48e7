#pragma once
// One statement's whole result, kept in memory and walked row by row, with the values of the
// current row read as text, integers, floating-point numbers, dates and times. Every failure is
// reported through sDB_message and leaves the query closed or its state unchanged; nothing
// raises. Derived classes override the hooks to copy the current row into their own members.
#include "db/sDB_FieldInfo.h"
#include "values/sDB_date.h"
#include "values/sDB_time.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct st_mysql_res;

namespace vexo {

class sDB_connection;

// What a getter reads a column as.
enum class sDB_read : std::uint8_t { text, integer, floating, date, time };

class sDB_query {
public:
    sDB_query() = default;
    sDB_query(const sDB_query&) = delete;
    sDB_query& operator=(const sDB_query&) = delete;

    // Takes sDB_defaultConnection when the query has none; false after reporting that there is
    // none, and the calling operation then runs nothing.
    virtual bool checkConnection();
    // Called each time a row becomes current.
    virtual void afterFetch() {}
    // Called by the record statements before they send an update.
    virtual void beforeStore() {}
    // Called by the record statements when they close.
    virtual void beforeClose() {}
    // Frees the result and the column descriptions; the counts and the row index become -1.
    virtual void close();
    virtual ~sDB_query();

    // The query never owns its connection.
    void setConnection(sDB_connection* connection) { connection_ = connection; }
    sDB_connection* connection() const { return connection_; }

    // Closes, runs the statement and keeps its result; on a result with rows the first row is
    // current. A statement without a result set leaves the query closed, without a message.
    void open(const std::string& sql);
    void first();
    void next();
    bool eof() const { return current_ < 0 || current_ > rowCount_ - 1; }
    std::int32_t rowCount() const { return rowCount_; }
    std::int32_t fieldCount() const { return fieldCount_; }
    // The description of column i; a shared empty one (type 0) for an index outside the result.
    const sDB_FieldInfo& fieldInfo(int i) const;
    // The first column whose name, and when table is given its base table, equal these ignoring
    // ASCII case; -1 when there is none.
    int findColumn(std::string_view name, std::string_view table = {}) const;

    // Values of the current row. A column of a type the getter does not read gives the message
    // "la columna <name> no es de tipo <TYPE>" and the getter's empty value. SQL NULL reads as the
    // empty text, 0 or the empty date.
    // Whether the getter of that kind reads column i; when not, reports it as the getter would.
    // A caller that reads the column on every row asks once and skips it.
    bool checkReadable(int i, sDB_read kind) const;
    // SQL NULL in column i of the current row (also outside the result or without a row).
    bool isNull(int i) const;
    // getString's text without a copy, valid until the walk moves on.
    std::string_view getView(int i) const;
    std::string getString(int i) const;   // strings, blobs (every byte), date-times as their text
    std::int32_t getInteger(int i) const; // integers and decimals (their whole-number portion), floating
                                          // point truncated toward zero, BIT as its number
    double getDouble(int i) const;        // floating point, decimals with every digit, integers
    sDB_date getDate(int i) const;        // DATE
    sDB_time getTime(int i) const;        // TIME, seconds dropped
    // By name: the getter of findColumn(name, table); the empty value, without a message, when
    // there is no such column.
    std::string getString(std::string_view name, std::string_view table = {}) const;
    std::int32_t getInteger(std::string_view name, std::string_view table = {}) const;
    double getDouble(std::string_view name, std::string_view table = {}) const;
    sDB_date getDate(std::string_view name, std::string_view table = {}) const;
    sDB_time getTime(std::string_view name, std::string_view table = {}) const;

    // The value of column i exactly as the server wrote it, whatever the column's type and without
    // any check; for callers that checked the column once, as a fill does. NULL, a column outside
    // the result and no current row give a view without data (nullptr); an empty value has data.
    std::string_view raw(int i) const {
        if (row_ == nullptr || i < 0 || i >= fieldCount_ || row_[i] == nullptr) return {};
        return {row_[i], lengths_[i]};
    }

private:
    void fetch();

    st_mysql_res* result_ = nullptr;
    char** row_ = nullptr;
    const unsigned long* lengths_ = nullptr; // of row_'s values
    std::int32_t rowCount_ = -1;
    std::int32_t fieldCount_ = -1;
    std::int32_t current_ = -1;
    sDB_connection* connection_ = nullptr;
    std::vector<sDB_FieldInfo> fields_;
};

} // namespace vexo
