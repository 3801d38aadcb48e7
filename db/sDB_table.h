#pragma once
// A query bound to one table whose records are identified by a text column named code. It selects
// one record by its code or a set by a condition and an order, and builds an update of the
// current record one column at a time. Every code placed in a statement is quoted and escaped;
// the table and column names, the condition and the order are placed as the caller gives them and
// must be valid SQL.
#include "db/sDB_query.h"

#include <cstdint>
#include <string>

namespace vexo {

class sDB_table : public sDB_query {
public:
    sDB_table() = default;

    // Drops the selected code, the pending update, the condition and the order, then closes.
    void close() override;
    // The code of the current record: the one selectByCode found; empty for a row of a set.
    virtual std::string getCode() const { return code_; }
    virtual void spareHook() {}
    // Called by execUpdate before beforeStore(), and last, after the record is reloaded.
    virtual void beforeUpdate() {}
    virtual void afterUpdate() {}

    void setTableName(const std::string& name) { tableName_ = name; }
    const std::string& tableName() const { return tableName_; }
    const std::string& where() const { return where_; }
    const std::string& orderBy() const { return orderBy_; }
    // The update being built; empty when none is pending.
    const std::string& pendingUpdate() const { return update_; }

    // Loads the record with that code; false, closed and without a code, when there is none.
    bool selectByCode(const std::string& code);
    // Loads the records that satisfy the condition (all when empty) in the order (the server's
    // when empty); the row count, -1 after a failure.
    std::int32_t select(const std::string& condition, const std::string& order);
    // Reloads the current record by its code; nothing for a row of a set.
    void refresh();

    // Each adds one assignment to the pending update of the current record.
    void setString(const std::string& column, std::string_view text);
    void setInteger(const std::string& column, std::int32_t value);
    void setFloat(const std::string& column, double value); // six decimals; refused unless finite
    void setDate(const std::string& column, const sDB_date& date);
    void setTime(const std::string& column, const sDB_time& time);
    // Sends the pending update and reloads the record. With no current record or no assignment it
    // sends nothing and says so; the pending update is dropped either way.
    void execUpdate();

    // Insert or delete the record with that code; true when the server changed a record. The
    // table keeps what it holds.
    bool insertByCode(const std::string& code);
    bool deleteByCode(const std::string& code);

private:
    void nextAssignment(bool final);
    void assign(const std::string& column, const std::string& valueText);
    std::string quoted(std::string_view text) const;

    std::string tableName_;
    std::string code_;
    std::string where_;
    std::string orderBy_;
    std::string update_;
    std::int32_t assignments_ = 0;
};

} // namespace vexo
