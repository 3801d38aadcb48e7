// vexo-preview: reads any form file with the library's registered classes and shows it, or writes
// its picture, without the application's code: a look at a form before any code is wired to it.
//
//     vexo-preview FORM_FILE            opens the form in a window (needs a display)
//     vexo-preview FORM_FILE -o PNG     writes a PNG of the form (no display needed)
//
// A form that cannot be read is reported with its line number, and the program exits with 1.
#include "app/ExampleMain.h"
#include "controls/edit/CalendarProperties.h"
#include "controls/edit/EditProperties.h"
#include "controls/grid/GridProperties.h"
#include "controls/misc/MiscProperties.h"
#include "controls/scroll/ScrollProperties.h"
#include "db/DBProperties.h"
#include "framework/stdctrls/StdCtrlsProperties.h"
#include "framework/streaming/FormReader.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

using namespace vexo;

namespace {

// Static libraries bring in a layer's registration only when something names it.
void registerEveryClass() {
    RegisterStdCtrlsClasses();
    RegisterGridClasses();
    RegisterScrollClasses();
    RegisterCalendarClasses();
    RegisterEditClasses();
    RegisterMiscClasses();
    RegisterDbClasses();
}

int fail(const QString& text) {
    std::fprintf(stderr, "vexo-preview: %s\n", text.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Shows a form file, or writes its picture, without the application's code.");
    const QCommandLineOption output({"o", "output"},
                                    "Writes a PNG of the form to FILE instead of showing it.", "FILE");
    parser.addOption(output);
    parser.addPositionalArgument("FORM_FILE", "The form file to read.");
    if (const std::optional<int> stop = ParseCommandLine(parser, argc, argv, "vexo-preview", 1)) return *stop;
    const QString file = parser.positionalArguments().first();
    const bool toPng = parser.isSet(output);
    if (toPng && std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication qtApp(argc, argv);
    registerEveryClass();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return fail(file + ": " + in.errorString());
    const QByteArray text = in.readAll();

    int result = 0;
    {
        TForm form(nullptr);
        try {
            PreviewComponentText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                 &form);
        } catch (const std::exception& error) {
            return fail(file + ": " + QString::fromUtf8(error.what()));
        }
        if (toPng) {
            if (!SaveToPng(&form, parser.value(output).toStdString()))
                result = fail("cannot write the picture to " + parser.value(output));
            else
                std::printf("%s\n", parser.value(output).toLocal8Bit().constData());
        } else {
            form.ShowModal();
        }
    }
    Application->DestroyComponents();
    return result;
}
