#include "db/sDB_table.h"

#include "db/sDB_exec.h"
#include "db/sDB_message.h"

#include <charconv>
#include <cmath>

namespace vexo {

void sDB_table::close() {
    beforeClose();
    code_.clear();
    update_.clear();
    orderBy_.clear();
    where_.clear();
    sDB_query::close();
}

std::string sDB_table::quoted(std::string_view text) const {
    return sDB_quote(connection(), text);
}

bool sDB_table::selectByCode(const std::string& code) {
    if (!checkConnection()) return false;
    update_.clear();
    orderBy_.clear();
    where_.clear();
    // A copy: open() closes, which empties code_, and refresh() passes code_ itself.
    const std::string wanted = code;
    open("select * from " + tableName_ + " where code=" + quoted(wanted));
    if (eof()) return false;
    code_ = wanted;
    afterFetch();
    return true;
}

std::int32_t sDB_table::select(const std::string& condition, const std::string& order) {
    if (!checkConnection()) return -1;
    std::string sql = "select * from " + tableName_;
    if (!condition.empty()) sql += " where " + condition;
    if (!order.empty()) sql += " order by " + order;
    open(sql);
    code_.clear();
    where_ = condition;
    orderBy_ = order;
    if (!eof()) afterFetch();
    return rowCount();
}

void sDB_table::refresh() {
    if (!code_.empty()) selectByCode(code_);
}

void sDB_table::nextAssignment(bool final) {
    if (update_.empty()) {
        if (getCode().empty() || !checkConnection()) return;
        update_ = "update " + tableName_ + " set ";
        assignments_ = 0;
    } else if (!final && assignments_ > 0) {
        update_ += ", ";
    }
}

void sDB_table::assign(const std::string& column, const std::string& valueText) {
    nextAssignment(false);
    update_ += column + "=" + valueText;
    ++assignments_;
}

void sDB_table::setString(const std::string& column, std::string_view text) {
    assign(column, quoted(text));
}

void sDB_table::setInteger(const std::string& column, std::int32_t value) {
    assign(column, std::to_string(value));
}

void sDB_table::setFloat(const std::string& column, double value) {
    if (!std::isfinite(value)) {
        sDB_message("el valor de la columna " + column + " no es un número finito", "error de tipo de datos");
        return;
    }
    // As printf's "%f" writes it, but always with a decimal point.
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    assign(column, std::string(text, written.ptr));
}

void sDB_table::setDate(const std::string& column, const sDB_date& date) {
    assign(column, quoted(date.sqlText()));
}

void sDB_table::setTime(const std::string& column, const sDB_time& time) {
    assign(column, quoted(time.text()));
}

void sDB_table::execUpdate() {
    nextAssignment(true);
    beforeUpdate();
    beforeStore();
    const std::string code = getCode();
    const bool assigned = assignments_ > 0;
    const std::string statement = update_ + " where code=";
    update_.clear();
    assignments_ = 0;
    if (code.empty()) {
        sDB_message("No hay ningún registro seleccionado: el cambio no se guarda", "sDB_table error");
        return;
    }
    if (!assigned) {
        sDB_message("No hay ningún cambio que guardar", "sDB_table error");
        return;
    }
    if (!checkConnection()) return;
    sDB_exec(connection(), statement + quoted(code));
    refresh();
    afterUpdate();
}

bool sDB_table::insertByCode(const std::string& code) {
    if (!checkConnection()) return false;
    return sDB_exec(connection(), "insert into " + tableName_ + " set code=" + quoted(code)) > 0;
}

bool sDB_table::deleteByCode(const std::string& code) {
    if (!checkConnection()) return false;
    return sDB_exec(connection(), "delete from " + tableName_ + " where code=" + quoted(code)) > 0;
}

} // namespace vexo
