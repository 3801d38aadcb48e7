#pragma once
// The data layer's tests run on the test server with the layer's own database, which each test
// creates empty and drops when it ends. Tests run in parallel processes, so each holds a server
// lock while it owns the database. The layer's messages are recorded, and so is every statement
// it sends, as the server receives it.
#include "db/TestDatabase.h"
#include "db/sDB_connection.h"
#include "support/FormatSettingsGuard.h"
#include "support/WindowTestSupport.h"

#include <gtest/gtest.h>
#include <mysql.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace vexo {

inline constexpr const char* layerDatabase = "zaLab_dsrllo_v3";

// The test server's settings from the environment, for the layer's own database.
inline sDB_connection::Parameters testServerParameters() {
    sDB_connection::Parameters p;
    const auto env = [](const char* name, const char* fallback) {
        const char* v = std::getenv(name);
        return std::string(v != nullptr ? v : fallback);
    };
    p.socket = env("VEXO_TEST_MYSQL_SOCKET", "");
    p.user = env("VEXO_TEST_MYSQL_USER", "root");
    p.password = env("VEXO_TEST_MYSQL_PASSWORD", "");
    return p;
}

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        admin_ = TestDatabase::connect();
        if (admin_ == nullptr) {
            if (!HasFailure()) GTEST_SKIP() << "no test server (run tools/run-tests.sh)";
            return;
        }
        admin("SELECT GET_LOCK('vexo_db_layer', 120)");
        admin(std::string("DROP DATABASE IF EXISTS ") + layerDatabase);
        admin(std::string("CREATE DATABASE ") + layerDatabase + " CHARACTER SET utf8mb4");
        admin(std::string("USE ") + layerDatabase);
        ASSERT_TRUE(db.connect(testServerParameters()));
        db.OnStatement = [this](const std::string& sql) { sent.push_back(sql); };
    }
    void TearDown() override {
        if (admin_ == nullptr) return;
        db.close();
        admin(std::string("DROP DATABASE IF EXISTS ") + layerDatabase);
        admin("SELECT RELEASE_LOCK('vexo_db_layer')");
        mysql_close(admin_);
    }

    // Runs a statement in the layer's database on the test's own link, outside the layer; the first
    // value of its result.
    std::string admin(const std::string& sql) {
        std::string first;
        if (mysql_real_query(admin_, sql.data(), sql.size()) != 0) {
            ADD_FAILURE() << sql << ": " << mysql_error(admin_);
            return first;
        }
        if (MYSQL_RES* res = mysql_store_result(admin_)) {
            if (MYSQL_ROW row = mysql_fetch_row(res); row != nullptr && row[0] != nullptr)
                first.assign(row[0], mysql_fetch_lengths(res)[0]);
            mysql_free_result(res);
        }
        return first;
    }
    // The captions of the messages shown so far, and then none.
    std::vector<std::string> takeCaptions() {
        std::vector<std::string> out;
        for (const auto& box : messages.shown)
            out.push_back(box.caption);
        messages.shown.clear();
        return out;
    }

    RecordingPresenter messages;
    sDB_connection db;
    std::vector<std::string> sent;

private:
    MYSQL* admin_ = nullptr;
};

// Switches the C library's numbers to a decimal comma (as a Spanish desktop session would) and the
// framework's too, for the test's lifetime. The comma locale is built once in a private folder,
// since the machine may have none installed; without localedef only the framework's switches.
class CommaLocale {
public:
    CommaLocale() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {
        FormatSettingsGuard::UseDecimalComma();
        static const Folder folder;
        if (!folder.built) return;
        // The C library looks for locales in LOCPATH while it switches; only this switch may.
        setenv("LOCPATH", folder.path.c_str(), 1);
        active_ = std::setlocale(LC_NUMERIC, "vexo_comma.UTF-8") != nullptr;
        unsetenv("LOCPATH");
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool active() const { return active_; }

private:
    struct Folder {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("vexo-locale-" + std::to_string(getpid()));
        bool built = false;
        Folder() {
            std::filesystem::create_directories(path);
            std::ofstream(path / "comma") << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                                             "grouping 3;3\nEND LC_NUMERIC\n";
            // localedef warns of the categories the source leaves out, and writes the rest.
            const std::string cmd = "localedef -c -i " + (path / "comma").string() + " -f UTF-8 " +
                                    (path / "vexo_comma.UTF-8").string() + " >/dev/null 2>&1";
            [[maybe_unused]] const int status = std::system(cmd.c_str());
            built = std::filesystem::exists(path / "vexo_comma.UTF-8" / "LC_NUMERIC");
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };

    FormatSettingsGuard format_;
    std::string saved_;
    bool active_ = false;
};

} // namespace vexo
