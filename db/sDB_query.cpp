// How it works: open() stores the whole result on the client and describes its columns once. The
// walk fetches rows in order: the result's cursor always stands on the row after the current one,
// so next() is one fetch, and only first() seeks (to row 0, which costs nothing). Each fetch also
// takes the values' lengths, so text is read whole, zero bytes included. Numbers arrive as the
// server's text with a decimal point and are read without the C locale, which the program may
// have set to a comma.
#include "db/sDB_query.h"

#include "db/sDB_connection.h"
#include "db/sDB_message.h"
#include "db/sDB_type.h"

#include <mysql.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace vexo {

namespace {

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// As C's atoi reads: blanks, a sign, digits up to the first non-digit; clamped to the int range.
std::int32_t leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value <= INT_MAX) value = value * 10 + (text[i] - '0');
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// As C's atof reads the server's numbers, but always with a decimal point; 0 when none is there.
double leadingDouble(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && text[i] == '+') ++i;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    return error == std::errc() ? value : 0.0;
}

std::int32_t truncated(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), double(INT_MIN), double(INT_MAX)));
}

// The characters [position, position + length) of text, or fewer where it ends.
std::string_view piece(std::string_view text, std::size_t position, std::size_t length) {
    return position < text.size() ? text.substr(position, length) : std::string_view();
}

// The column types each getter reads, and the word its message names.
bool readsType(sDB_read kind, int type) {
    switch (kind) {
    case sDB_read::text:
        return type == sDB_type_string || type == sDB_type_blob || type == sDB_type_date_time;
    case sDB_read::integer:
        return type == sDB_type_integer || type == sDB_type_floating || type == sDB_type_bool;
    case sDB_read::floating:
        return type == sDB_type_floating || type == sDB_type_integer;
    case sDB_read::date:
        return type == sDB_type_date;
    case sDB_read::time:
        return type == sDB_type_time;
    }
    return false;
}

const char* typeWord(sDB_read kind) {
    switch (kind) {
    case sDB_read::text:
        return " no es de tipo STRING";
    case sDB_read::integer:
        return " no es de tipo INTEGER";
    case sDB_read::floating:
        return " no es de tipo DOUBLE";
    case sDB_read::date:
        return " no es de tipo DATE";
    case sDB_read::time:
        return " no es de tipo TIME";
    }
    return "";
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

} // namespace

sDB_query::~sDB_query() {
    if (result_ != nullptr) mysql_free_result(result_);
}

bool sDB_query::checkConnection() {
    if (connection_ == nullptr) connection_ = sDB_defaultConnection;
    if (connection_ != nullptr) return true;
    sDB_messageNoConnection();
    return false;
}

void sDB_query::close() {
    if (result_ != nullptr) mysql_free_result(result_);
    result_ = nullptr;
    row_ = nullptr;
    lengths_ = nullptr;
    fields_.clear();
    rowCount_ = fieldCount_ = current_ = -1;
}

void sDB_query::open(const std::string& sql) {
    close();
    if (!checkConnection() || !connection_->send(sql)) return;
    MYSQL* handle = connection_->handle();
    MYSQL_RES* result = mysql_store_result(handle);
    // No result at all is normal for a statement that returns no rows; one lost on the way is not.
    if (result == nullptr && mysql_field_count(handle) != 0) connection_->reportError();
    connection_->discardPendingResults();
    if (result == nullptr) return;

    result_ = result;
    rowCount_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(mysql_num_rows(result)));
    fieldCount_ = static_cast<std::int32_t>(mysql_num_fields(result));
    fields_.resize(static_cast<std::size_t>(fieldCount_));
    for (int i = 0; i < fieldCount_; ++i) {
        const MYSQL_FIELD* f = mysql_fetch_field_direct(result, static_cast<unsigned>(i));
        sDB_FieldInfo& info = fields_[static_cast<std::size_t>(i)];
        info.index = i;
        info.name.assign(f->name, f->name_length);
        info.mysqlType = static_cast<std::int32_t>(f->type & 0xFF);
        info.type = sDB_typeOfMysql(info.mysqlType);
        info.decimals = static_cast<std::int32_t>(f->decimals);
        info.table.assign(f->org_table, f->org_table_length);
    }
    current_ = -1;
    first();
}

void sDB_query::first() {
    if (rowCount_ <= 0) return;
    mysql_data_seek(result_, 0);
    current_ = 0;
    fetch();
    afterFetch();
}

void sDB_query::next() {
    if (result_ == nullptr || current_ >= rowCount_) return;
    if (++current_ > rowCount_ - 1) return;
    fetch();
    afterFetch();
}

void sDB_query::fetch() {
    row_ = mysql_fetch_row(result_);
    lengths_ = mysql_fetch_lengths(result_);
}

const sDB_FieldInfo& sDB_query::fieldInfo(int i) const {
    static const sDB_FieldInfo none;
    return i >= 0 && i < static_cast<int>(fields_.size()) ? fields_[static_cast<std::size_t>(i)] : none;
}

int sDB_query::findColumn(std::string_view name, std::string_view table) const {
    for (const sDB_FieldInfo& f : fields_)
        if (sameIgnoringCase(f.name, name) && (table.empty() || sameIgnoringCase(f.table, table)))
            return f.index;
    return -1;
}

bool sDB_query::checkReadable(int i, sDB_read kind) const {
    const sDB_FieldInfo& f = fieldInfo(i);
    if (readsType(kind, f.type)) return true;
    sDB_message("la columna " + f.name + typeWord(kind), "error de tipo de datos");
    return false;
}

bool sDB_query::isNull(int i) const {
    return row_ == nullptr || i < 0 || i >= fieldCount_ || row_[i] == nullptr;
}

std::string_view sDB_query::getView(int i) const {
    return checkReadable(i, sDB_read::text) ? raw(i) : std::string_view();
}

std::string sDB_query::getString(int i) const {
    return std::string(getView(i));
}

std::int32_t sDB_query::getInteger(int i) const {
    if (!checkReadable(i, sDB_read::integer)) return 0;
    const std::string_view value = raw(i);
    switch (fieldInfo(i).type) {
    case sDB_type_floating:
        return truncated(leadingDouble(value));
    case sDB_type_bool: {
        // BIT arrives as its bytes, most significant first.
        std::uint64_t bits = 0;
        for (char byte : value)
            bits = bits << 8 | static_cast<unsigned char>(byte);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    }
    default:
        return leadingInteger(value);
    }
}

double sDB_query::getDouble(int i) const {
    if (!checkReadable(i, sDB_read::floating)) return 0.0;
    const sDB_FieldInfo& f = fieldInfo(i);
    if (f.type == sDB_type_integer && !sDB_isDecimal(f.mysqlType)) return leadingInteger(raw(i));
    return leadingDouble(raw(i));
}

sDB_date sDB_query::getDate(int i) const {
    if (!checkReadable(i, sDB_read::date)) return {};
    const std::string_view value = raw(i);
    if (value.empty() || fieldInfo(i).mysqlType != MYSQL_TYPE_DATE) return {};
    // The server writes yyyy-mm-dd.
    return sDB_date(leadingInteger(piece(value, 8, 2)), leadingInteger(piece(value, 5, 2)),
                    leadingInteger(piece(value, 0, 4)));
}

sDB_time sDB_query::getTime(int i) const {
    if (!checkReadable(i, sDB_read::time)) return {};
    const std::string_view value = raw(i);
    if (value.empty() || fieldInfo(i).mysqlType != MYSQL_TYPE_TIME) return {};
    // The server writes hh:mm:ss.
    return sDB_time(leadingInteger(piece(value, 0, 2)), leadingInteger(piece(value, 3, 2)));
}

std::string sDB_query::getString(std::string_view name, std::string_view table) const {
    const int i = findColumn(name, table);
    return i < 0 ? std::string() : getString(i);
}

std::int32_t sDB_query::getInteger(std::string_view name, std::string_view table) const {
    const int i = findColumn(name, table);
    return i < 0 ? 0 : getInteger(i);
}

double sDB_query::getDouble(std::string_view name, std::string_view table) const {
    const int i = findColumn(name, table);
    return i < 0 ? 0.0 : getDouble(i);
}

sDB_date sDB_query::getDate(std::string_view name, std::string_view table) const {
    const int i = findColumn(name, table);
    return i < 0 ? sDB_date() : getDate(i);
}

sDB_time sDB_query::getTime(std::string_view name, std::string_view table) const {
    const int i = findColumn(name, table);
    return i < 0 ? sDB_time() : getTime(i);
}

} // namespace vexo
