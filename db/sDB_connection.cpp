// How it works: the handle is created by mysql_init and replaced by a fresh one on every
// (re)connection, so no state of a dead link survives. Before each statement send() checks the
// link without a round trip: the client library drops its socket when a read or write fails, and
// an idle link whose socket can be read has been closed by the server (a server never speaks
// first). Either way the link is connected again with the kept parameters before the statement
// goes out, so a statement is never sent twice. What the old session held (temporary tables,
// session variables, an open transaction) is gone with it, as it would be after any restart.
#include "db/sDB_connection.h"

#include "db/sDB_message.h"

#include <mysql.h>
#include <poll.h>

#include <mutex>

namespace vexo {

sDB_connection* sDB_defaultConnection = nullptr;

namespace {

const char* orNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

st_mysql* newHandle() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mysql_library_init(0, nullptr, nullptr); });
    return mysql_init(nullptr);
}

} // namespace

sDB_connection::sDB_connection() : handle_(newHandle()) {}

sDB_connection::~sDB_connection() {
    mysql_close(handle_);
}

bool sDB_connection::connect() {
    return connect(Parameters{});
}

bool sDB_connection::connect(const Parameters& parameters) {
    parameters_ = parameters;
    wanted_ = true;
    if (open()) return true;
    sDB_message(mysql_error(handle_), "sDB_connection error");
    return false;
}

void sDB_connection::close() {
    wanted_ = false;
    mysql_close(handle_);
    handle_ = newHandle();
}

bool sDB_connection::connected() const {
    return !linkLost();
}

bool sDB_connection::open() {
    mysql_close(handle_);
    handle_ = newHandle();
    mysql_options(handle_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    mysql_options(handle_, MYSQL_OPT_CONNECT_TIMEOUT, &parameters_.connectTimeout);
    return mysql_real_connect(handle_, orNull(parameters_.host), parameters_.user.c_str(),
                              parameters_.password.c_str(), orNull(parameters_.database), parameters_.port,
                              orNull(parameters_.socket), 0) != nullptr;
}

bool sDB_connection::linkLost() const {
    const my_socket socket = mysql_get_socket(handle_);
    if (socket == MARIADB_INVALID_SOCKET) return true;
    pollfd idle{socket, POLLIN, 0};
    return poll(&idle, 1, 0) > 0;
}

bool sDB_connection::send(std::string_view sql) {
    if (OnStatement) OnStatement(std::string(sql));
    if (wanted_ && linkLost() && !open()) {
        reportError();
        return false;
    }
    if (mysql_real_query(handle_, sql.data(), sql.size()) == 0) return true;
    reportError();
    return false;
}

void sDB_connection::reportError() const {
    sDB_message(mysql_error(handle_), "sDB_query error");
}

void sDB_connection::discardPendingResults() {
    while (mysql_more_results(handle_) && mysql_next_result(handle_) == 0)
        if (MYSQL_RES* extra = mysql_store_result(handle_)) mysql_free_result(extra);
}

} // namespace vexo
