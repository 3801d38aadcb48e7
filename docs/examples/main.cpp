// Runs every example of the guides once, offscreen: they must build and run, not only compile.
// The database example runs when a server is named by the test server's variables
// (VEXO_TEST_MYSQL_SOCKET, _USER, _PASSWORD, _DATABASE).
#include "db/sDB_connection.h"
#include "framework/windows/TApplication.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>

using namespace vexo;

void GridTypedRows();
void EditModes();
void CalendarHolidays();
void DecorativeControls();
void FormFileRoundTrip();
void DatabaseGrid(const sDB_connection::Parameters& parameters);

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // Nobody is there to close a message box: print it and fail the run.
    bool messageShown = false;
    Application->SetMessageBoxPresenter(
        [&messageShown](const std::string& text, const std::string& caption, UINT) {
            std::cerr << caption << ": " << text << '\n';
            messageShown = true;
            return IDOK;
        });

    GridTypedRows();
    EditModes();
    CalendarHolidays();
    DecorativeControls();
    FormFileRoundTrip();

    if (const std::string socket = environment("VEXO_TEST_MYSQL_SOCKET"); !socket.empty()) {
        sDB_connection::Parameters parameters;
        parameters.socket = socket;
        parameters.user = environment("VEXO_TEST_MYSQL_USER");
        parameters.password = environment("VEXO_TEST_MYSQL_PASSWORD");
        parameters.database = environment("VEXO_TEST_MYSQL_DATABASE");
        DatabaseGrid(parameters);
    } else {
        std::cout << "database example skipped: VEXO_TEST_MYSQL_SOCKET is not set\n";
    }
    return messageShown ? 1 : 0;
}
