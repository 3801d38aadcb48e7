#pragma once
// Statements that return no rows, and text made safe to place in a statement.
#include <cstdint>
#include <string>
#include <string_view>

namespace vexo {

class sDB_connection;

// Runs the statement on the given connection (never the default one). Returns the rows it
// changed (the low 32 bits of the count), or 0 after reporting a failure or a missing connection.
// Rows the statement returns are read and dropped.
std::int32_t sDB_exec(sDB_connection* connection, const std::string& sql);

// The text as a single-quoted SQL literal, escaped for the connection's character set; every byte
// is kept, zero bytes included, so "O'Brien" gives 'O\'Brien' and the empty text ''. Without a
// connection the text is escaped for UTF-8.
std::string sDB_quote(sDB_connection* connection, std::string_view text);

} // namespace vexo
