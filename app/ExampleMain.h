#pragma once
// What the sample and the example programs share: the command line, the framework's message
// loop, and the picture written instead of a window.
//
//     program                     shows the main form until it is closed
//     program --help, --version   prints the usage or the version; an unknown option prints the
//                                 usage to standard error and exits with 2
//     program --screenshot FILE   writes a PNG of the form and prints its path; without a
//                                 platform chosen it needs no display
//     program --quit-after MS     shows the form and closes it after MS milliseconds (a check that
//                                 the program runs in a real window)
//     program --open-popup NAME   shows the form with the pop-up of its control NAME open (with
//                                 --screenshot, in the picture); only programs that have pop-ups
//     program --edit ROW,COL      shows the form with its grid's cell editor open on that cell
//                                 (with --screenshot, in the picture); only programs with a grid
//
// A program may add options of its own. While the picture is written, a message box is printed to
// standard error and answered OK: nobody is there to close it.
#include <QCommandLineOption>
#include <QImage>
#include <QList>

#include <functional>
#include <optional>
#include <string>

class QCommandLineParser;

namespace vexo {
class TForm;
}

struct TExample {
    const char* name = "";        // the program's name, for its messages
    const char* description = ""; // one line for --help
    // Creates the main form (through Application->CreateForm, so that it is the main form).
    std::function<vexo::TForm*()> createMainForm;
    // The picture to write for --screenshot; by default the main form as it would show.
    std::function<QImage(vexo::TForm*)> picture = {};
    // Opens the pop-up of the control named on the shown form; false when it has none. Without it
    // the program refuses --open-popup.
    std::function<bool(vexo::TForm*, const std::string& name)> openPopup = {};
    // Opens the grid's cell editor on the cell "ROW,COL" of the shown form; false when that cell
    // cannot be edited. Without it the program refuses --edit.
    std::function<bool(vexo::TForm*, const std::string& cell)> editCell = {};
    // The program's own options, and what it takes from them once the command line is parsed: an
    // exit code stops the program there (after it said why), nothing goes on.
    QList<QCommandLineOption> options = {};
    std::function<std::optional<int>(const QCommandLineParser&)> takeOptions = {};
};

int RunExample(int argc, char** argv, const TExample& example);

// Adds -h/--help and -v/--version to the program's own options and parses the command line: the
// exit code when the program is to stop here (0 after the usage or the version; 2, with the usage
// on standard error, for an unknown option or another count of arguments than positionals),
// nothing when it goes on.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, int argc, char** argv, const char* name,
                                    int positionals);
