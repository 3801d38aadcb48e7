// How it works: the private server is what tools/mariadb-server.sh starts, done here so that an
// installed program needs no script: mariadb-install-db makes a data folder in a new temporary
// folder, then mariadbd runs on it with --no-defaults (no configuration file of the machine is
// read), a socket in that folder and no network port, so it meets no other server. The programs
// are looked up at run time, on PATH and in the folders distributions put a server in. The server
// dies with the program even when the program is killed (the parent-death signal), and the
// folder is removed when the program ends.
#include "examples/dbgrid/DemoDatabase.h"

#include "db/sDB_exec.h"
#include "framework/core/Exception.h"

#include <QCommandLineParser>

#include <mysql.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace vexo;

namespace {

namespace fs = std::filesystem;

const QCommandLineOption hostOption("host", "Connects to the MySQL or MariaDB server on HOST.", "HOST");
const QCommandLineOption portOption("port", "The server's TCP port.", "PORT");
const QCommandLineOption socketOption("socket", "Connects through the local server's socket FILE.", "FILE");
const QCommandLineOption userOption("user", "The server's user (root by default).", "USER");
const QCommandLineOption passwordOption("password", "The user's password (none by default).", "PASSWORD");
const QCommandLineOption databaseOption("database",
                                        "The database of the demo table (vexo_dbgrid by default); "
                                        "created when missing.",
                                        "NAME");

// The first of the names found on PATH or in the folders where distributions put a server.
std::string findProgram(std::initializer_list<const char*> names) {
    std::vector<std::string> folders;
    if (const char* path = std::getenv("PATH")) {
        std::stringstream list(path);
        for (std::string folder; std::getline(list, folder, ':');)
            if (!folder.empty()) folders.push_back(folder);
    }
    for (const char* folder : {"/usr/sbin", "/usr/bin", "/usr/local/sbin", "/usr/local/bin", "/usr/libexec",
                               "/usr/local/mysql/bin"})
        folders.emplace_back(folder);
    for (const char* name : names)
        for (const std::string& folder : folders) {
            const std::string candidate = folder + "/" + name;
            if (access(candidate.c_str(), X_OK) == 0) return candidate;
        }
    return {};
}

// Starts the program with its output in log; the child's id.
pid_t spawn(const std::vector<std::string>& args, const fs::path& log) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw Exception(std::string("cannot start a process: ") + std::strerror(errno));
    if (pid == 0) {
        // The server must not outlive the program, whatever ends it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd >= 0) {
            dup2(fd, STDOUT_FILENO);
            dup2(fd, STDERR_FILENO);
            if (fd > STDERR_FILENO) close(fd);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

std::string lastLines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::string out;
    for (std::size_t i = lines.size() > 12 ? lines.size() - 12 : 0; i < lines.size(); ++i)
        out += "\n  " + lines[i];
    return out;
}

// A name the server takes unquoted inside backquotes.
bool plainName(const QString& name) {
    if (name.isEmpty() || name.size() > 64) return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != '_' && c != '$') return false;
    return true;
}

} // namespace

class DemoDatabase::PrivateServer {
public:
    PrivateServer() {
        const std::string server = findProgram({"mariadbd", "mysqld"});
        const std::string install = findProgram({"mariadb-install-db", "mysql_install_db"});
        if (server.empty() || install.empty())
            throw Exception(
                "no MariaDB server found (mariadbd and mariadb-install-db, on PATH or in /usr/sbin): "
                "install one, or name a running server with --host or --socket");
        std::string folder = (fs::temp_directory_path() / "vexo-dbgrid-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr)
            throw Exception("cannot make a temporary folder: " + std::string(std::strerror(errno)));
        dir_ = folder;
        const fs::path log = dir_ / "server.log";
        std::vector<std::string> asRoot;
        if (geteuid() == 0) asRoot.push_back("--user=root");

        std::vector<std::string> installArgs = {install, "--no-defaults",
                                                "--datadir=" + (dir_ / "data").string(), "--skip-test-db",
                                                "--auth-root-authentication-method=normal"};
        installArgs.insert(installArgs.end(), asRoot.begin(), asRoot.end());
        int status = 0;
        waitpid(spawn(installArgs, log), &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw Exception("the server's data folder could not be made:" + lastLines(log));

        std::vector<std::string> serverArgs = {server,
                                               "--no-defaults",
                                               "--datadir=" + (dir_ / "data").string(),
                                               "--socket=" + socket(),
                                               "--skip-networking",
                                               "--pid-file=" + (dir_ / "server.pid").string(),
                                               "--log-error=" + log.string()};
        serverArgs.insert(serverArgs.end(), asRoot.begin(), asRoot.end());
        pid_ = spawn(serverArgs, log);
        waitUntilReady(log);
    }

    ~PrivateServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (waitpid(pid_, &status, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() > deadline) {
                    kill(pid_, SIGKILL);
                    waitpid(pid_, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string socket() const { return (dir_ / "mysqld.sock").string(); }

private:
    // A connection is taken as soon as the server listens; a server that ended says why in its log.
    void waitUntilReady(const fs::path& log) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                throw Exception("the private server ended at start:" + lastLines(log));
            }
            MYSQL* probe = mysql_init(nullptr);
            const bool up =
                mysql_real_connect(probe, nullptr, "root", "", nullptr, 0, socket().c_str(), 0) != nullptr;
            mysql_close(probe);
            if (up) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        throw Exception("the private server did not answer within a minute:" + lastLines(log));
    }

    fs::path dir_;
    pid_t pid_ = -1;
};

DemoDatabase::DemoDatabase() {
    parameters_.user = "root";
    parameters_.password.clear();
    parameters_.database = "vexo_dbgrid";
}

DemoDatabase::~DemoDatabase() {
    // The link goes before the server it points to.
    connection_.close();
    server_.reset();
}

QList<QCommandLineOption> DemoDatabase::options() {
    return {hostOption, portOption, socketOption, userOption, passwordOption, databaseOption};
}

std::optional<int> DemoDatabase::takeOptions(const QCommandLineParser& parser) {
    for (const QCommandLineOption* named :
         {&hostOption, &portOption, &socketOption, &userOption, &passwordOption})
        serverNamed_ = serverNamed_ || parser.isSet(*named);
    parameters_.host = parser.value(hostOption).toStdString();
    parameters_.socket = parser.value(socketOption).toStdString();
    if (parser.isSet(userOption)) parameters_.user = parser.value(userOption).toStdString();
    parameters_.password = parser.value(passwordOption).toStdString();
    if (parser.isSet(portOption)) {
        bool ok = false;
        const int port = parser.value(portOption).toInt(&ok);
        if (!ok || port < 1 || port > 65535) {
            std::fprintf(stderr, "vexo_dbgrid: --port needs a port number (1 to 65535), not '%s'\n",
                         parser.value(portOption).toLocal8Bit().constData());
            return 2;
        }
        parameters_.port = static_cast<unsigned>(port);
    }
    if (parser.isSet(databaseOption)) {
        if (!plainName(parser.value(databaseOption))) {
            std::fprintf(stderr, "vexo_dbgrid: --database takes letters, digits, _ and $ only, not '%s'\n",
                         parser.value(databaseOption).toLocal8Bit().constData());
            return 2;
        }
        parameters_.database = parser.value(databaseOption).toStdString();
    }
    return std::nullopt;
}

sDB_connection& DemoDatabase::open() {
    sDB_connection::Parameters p = parameters_;
    if (!serverNamed_) {
        server_ = std::make_unique<PrivateServer>();
        p.socket = server_->socket();
    }
    // The database may not exist yet: connect without one, make it, then connect to it, so that a
    // link the server drops comes back to it.
    p.database.clear();
    if (!connection_.connect(p)) throw Exception("cannot connect to the server");
    sDB_exec(&connection_,
             "create database if not exists `" + parameters_.database + "` character set utf8mb4");
    p.database = parameters_.database;
    if (!connection_.connect(p)) throw Exception("cannot open the database " + parameters_.database);
    seed();
    return connection_;
}

// Made only when missing, and seeded without replacing a record: the edits of an earlier run on
// a named server stay.
void DemoDatabase::seed() {
    const std::string table = TableName;
    sDB_exec(&connection_, "create table if not exists " + table +
                               " (code varchar(10) primary key, nombre varchar(60) not null default '', "
                               "region varchar(20) not null default '', alta date, importe decimal(12,2)) "
                               "character set utf8mb4");
    sDB_exec(&connection_, "insert ignore into " + table +
                               " values "
                               "('C01', 'Ferretería Ortega', 'Centro', '2019-03-11', 1250.00), "
                               "('C02', 'Librería El Quijote', 'Centro', '2020-07-02', 349.90), "
                               "('C03', 'Panadería Núñez', 'Centro', '2021-01-18', 87.35), "
                               "('C04', 'Talleres Ibarra', 'Norte', '2018-11-05', 4120.75), "
                               "('C05', 'Conservas del Cantábrico', 'Norte', '2022-05-23', 960.10), "
                               "('C06', 'Sidrería Llanes', 'Norte', '2023-02-14', 215.00), "
                               "('C07', 'Bodegas Montilla', 'Sur', '2017-09-30', 7800.40), "
                               "('C08', 'Aceites Jaén', 'Sur', '2020-12-01', 1530.65), "
                               "('C09', 'Cerámica Triana', 'Sur', '2021-06-09', 402.20), "
                               "('C10', 'Frutas Motril', 'Sur', '2024-04-16', 66.80)");
}
