#include "db/sDB_connection.h"
#include "db/DbTestSupport.h"
#include "db/sDB_exec.h"
#include "db/sDB_table.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace {

using namespace vexo;

using sDB_connectionTest = DbTest;

TEST_F(sDB_connectionTest, ConnectsWithTheGivenParametersOrSaysWhyNot) {
    for (const char* user : {"vexo_lector@localhost", "vexo_lector@'127.0.0.1'"}) {
        admin(std::string("create or replace user ") + user + " identified by 'plovermint'");
        admin(std::string("grant all on ") + layerDatabase + ".* to " + user);
    }
    // Over the socket the server lets the system's root in whatever the password, so the
    // passwords are tried over TCP.
    const struct {
        const char* what;
        bool tcp;
        const char *user, *password, *database;
        bool connects;
    } cases[] = {
        {"the socket", false, nullptr, nullptr, nullptr, true},
        {"another user over TCP, with the default password", true, "vexo_lector", "plovermint", nullptr,
         true},
        {"a wrong password", true, nullptr, "wrong", nullptr, false},
        {"an unknown database", false, nullptr, nullptr, "nope", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sDB_connection::Parameters p = testServerParameters();
        if (c.tcp) {
            p.socket.clear();
            p.host = "127.0.0.1";
            p.port = static_cast<unsigned>(std::atoi(std::getenv("VEXO_TEST_MYSQL_PORT")));
        }
        if (c.user) p.user = c.user;
        if (c.password) p.password = c.password;
        if (c.database) p.database = c.database;
        sDB_connection link;
        EXPECT_EQ(link.connect(p), c.connects);
        EXPECT_EQ(link.connected(), c.connects);
        if (!c.connects) {
            EXPECT_EQ(takeCaptions(), std::vector<std::string>{"sDB_connection error"});
            continue;
        }
        sDB_query q;
        q.setConnection(&link);
        q.open("select @@character_set_connection, database(), 'ñ'");
        EXPECT_EQ(q.getString(0), "utf8mb4");
        EXPECT_EQ(q.getString(1), layerDatabase);
        EXPECT_EQ(q.getString(2), "ñ");
        EXPECT_TRUE(messages.shown.empty());
    }
    admin("drop user vexo_lector@localhost, vexo_lector@'127.0.0.1'");
}

TEST_F(sDB_connectionTest, AClosedConnectionFailsEveryStatementUntilConnectedAgain) {
    db.close();
    EXPECT_FALSE(db.connected());
    EXPECT_EQ(sDB_exec(&db, "create table t (n int)"), 0);
    EXPECT_EQ(takeCaptions(), std::vector<std::string>{"sDB_query error"});
    ASSERT_TRUE(db.connect(testServerParameters()));
    sDB_exec(&db, "create table t (n int)");
    EXPECT_EQ(sDB_exec(&db, "insert into t values (1)"), 1);
    EXPECT_TRUE(messages.shown.empty());
}

// A server of the test's own, on its own socket and port, that it can stop and start again while
// the program runs; the shared test server keeps serving the other tests.
class OwnServer {
public:
    OwnServer()
        : dir_(std::filesystem::temp_directory_path() / ("vexo-own-server-" + std::to_string(getpid()))) {
        port_ = freePort();
        ok_ = run("start").find("VEXO_TEST_MYSQL_SOCKET=") != std::string::npos;
    }
    ~OwnServer() {
        run("stop");
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    bool ok() const { return ok_; }
    void stop() { run("stop"); }
    void resume() { ASSERT_NE(run("resume").find("VEXO_TEST_MYSQL_SOCKET="), std::string::npos) << output_; }
    const std::string& output() const { return output_; }

    sDB_connection::Parameters overSocket() const {
        sDB_connection::Parameters p = withUser();
        p.socket = (dir_ / "mysqld.sock").string();
        return p;
    }
    sDB_connection::Parameters overTcp() const {
        sDB_connection::Parameters p = withUser();
        p.host = "127.0.0.1";
        p.port = port_;
        return p;
    }

private:
    static unsigned freePort() {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        bind(s, reinterpret_cast<sockaddr*>(&a), size);
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
        ::close(s);
        return ntohs(a.sin_port);
    }
    static sDB_connection::Parameters withUser() {
        sDB_connection::Parameters p;
        p.database = "vexotest";
        p.password = "vexo-test";
        return p;
    }
    std::string run(const char* command) {
        const std::string cmd = "VEXO_TEST_MYSQL_PORT=" + std::to_string(port_) +
                                " bash " VEXO_SOURCE_DIR "/tools/mariadb-server.sh " + command + " " +
                                dir_.string() + " 2>&1";
        output_.clear();
        if (FILE* out = popen(cmd.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, out) != nullptr)
                output_ += buffer;
            pclose(out);
        }
        return output_;
    }

    std::filesystem::path dir_;
    unsigned port_ = 0;
    bool ok_ = false;
    std::string output_;
};

// The server goes away under open connections, over the socket and over TCP: every statement
// reports and fails, none hangs; once it is back, the first statement works, whether statements
// failed meanwhile or none was tried.
TEST(sDB_connectionRestartTest, StatementsFailWhileTheServerIsAwayAndWorkOnceItIsBack) {
    if (std::getenv("VEXO_TEST_MYSQL_SOCKET") == nullptr && std::getenv("VEXO_REQUIRE_MYSQL") == nullptr)
        GTEST_SKIP() << "no test server (run tools/run-tests.sh)";
    RecordingPresenter messages;
    OwnServer server;
    ASSERT_TRUE(server.ok()) << server.output();
    sDB_connection overSocket, overTcp;
    ASSERT_TRUE(overSocket.connect(server.overSocket()));
    ASSERT_TRUE(overTcp.connect(server.overTcp()));
    ASSERT_EQ(sDB_exec(&overSocket, "create table clientes (code varchar(9) primary key, n int)"), 0);
    ASSERT_EQ(sDB_exec(&overSocket, "insert into clientes values ('C1', 1), ('C2', 2)"), 2);
    sDB_query held;
    held.setConnection(&overTcp);
    held.open("select n from clientes order by code");
    ASSERT_EQ(held.rowCount(), 2);
    ASSERT_TRUE(messages.shown.empty());

    for (sDB_connection* link : {&overSocket, &overTcp}) {
        SCOPED_TRACE(link == &overSocket ? "over the socket" : "over TCP");
        sDB_table table;
        table.setConnection(link);
        table.setTableName("clientes");

        server.stop();
        EXPECT_EQ(sDB_exec(link, "update clientes set n=n+1"), 0);
        EXPECT_FALSE(table.selectByCode("C1"));
        EXPECT_EQ(table.select("", ""), -1);
        EXPECT_FALSE(table.insertByCode("C3"));
        EXPECT_EQ(messages.shown.size(), 4u);
        for (const auto& box : messages.shown)
            EXPECT_EQ(box.caption, "sDB_query error") << box.text;
        messages.shown.clear();

        server.resume();
        EXPECT_EQ(sDB_exec(link, "update clientes set n=n+1"), 2);
        server.stop();
        server.resume();
        EXPECT_TRUE(table.selectByCode("C2"));
        EXPECT_TRUE(messages.shown.empty());
    }
    EXPECT_EQ(held.getInteger(0), 1) << "a result already read survives the new link";
    held.next();
    EXPECT_EQ(held.getInteger(0), 2);
}

} // namespace
