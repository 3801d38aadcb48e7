#include "db/sDB_exec.h"

#include "db/sDB_connection.h"
#include "db/sDB_message.h"

#include <mysql.h>

namespace vexo {

std::int32_t sDB_exec(sDB_connection* connection, const std::string& sql) {
    if (connection == nullptr) {
        sDB_messageNoConnection();
        return 0;
    }
    if (!connection->send(sql)) return 0;
    MYSQL* handle = connection->handle();
    const auto changed = static_cast<std::uint32_t>(mysql_affected_rows(handle));
    if (MYSQL_RES* rows = mysql_store_result(handle)) mysql_free_result(rows);
    connection->discardPendingResults();
    return static_cast<std::int32_t>(changed);
}

std::string sDB_quote(sDB_connection* connection, std::string_view text) {
    std::string quoted(2 * text.size() + 3, '\0');
    char* escaped = quoted.data() + 1;
    unsigned long length = static_cast<unsigned long>(-1);
    if (connection != nullptr)
        length = mysql_real_escape_string(connection->handle(), escaped, text.data(), text.size());
    // Without a connection, or if the client refuses the connection's character set.
    if (length == static_cast<unsigned long>(-1))
        length = mysql_escape_string(escaped, text.data(), text.size());
    quoted[0] = '\'';
    quoted[length + 1] = '\'';
    quoted.resize(length + 2);
    return quoted;
}

} // namespace vexo
