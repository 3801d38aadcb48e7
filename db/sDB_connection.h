#pragma once
// A connection to a MySQL server through the client library, in utf8mb4. It connects with the
// data layer's default parameters or given ones and keeps them, so that a link the server dropped
// (a restart, an idle session closed) is connected again before the next statement instead of
// failing every statement from then on. Queries and record statements point to a connection and
// run their statements through send(); they never open, close or own it.
#include <functional>
#include <string>
#include <string_view>

struct st_mysql;

namespace vexo {

class sDB_connection {
public:
    struct Parameters {
        std::string host;   // empty: the local server
        unsigned port = 0;  // 0: the client library's default
        std::string socket; // the local server's socket; empty: the client library's default
        std::string database = "zaLab_dsrllo_v3";
        std::string user = "root";
        std::string password = "plovermint";
        unsigned connectTimeout = 10; // seconds, so that an unreachable host cannot hang the program
    };

    sDB_connection();
    ~sDB_connection();
    sDB_connection(const sDB_connection&) = delete;
    sDB_connection& operator=(const sDB_connection&) = delete;

    // Closes any open link, then connects; false after reporting the client library's error.
    bool connect();
    bool connect(const Parameters& parameters);
    // Ends the link; statements fail until the next connect.
    void close();
    bool connected() const;

    // The client library's handle. A reconnection replaces it, so callers ask for it after send().
    st_mysql* handle() const { return handle_; }

    // Runs one statement, connecting again first when the link was lost; false after reporting the
    // failure (the server's or the client's text, caption "sDB_query error"). The statement's
    // result, if any, waits on the handle for the caller.
    bool send(std::string_view sql);
    // Reports the last error of the handle as send() does.
    void reportError() const;
    // Reads and drops what the last statement left beyond the caller's result (a procedure's
    // status, further result sets), so that the next statement is not refused as out of sync.
    void discardPendingResults();

    // Sees each statement just before it is sent.
    std::function<void(const std::string& sql)> OnStatement;

private:
    bool open();
    bool linkLost() const;

    st_mysql* handle_ = nullptr;
    Parameters parameters_;
    bool wanted_ = false; // connect() succeeded and close() has not been called since
};

// The connection a query takes when none was given to it; nothing sets it but the program.
extern sDB_connection* sDB_defaultConnection;

} // namespace vexo
