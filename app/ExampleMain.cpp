#include "app/ExampleMain.h"

#include "framework/core/ScopeGuard.h"
#include "framework/windows/Messages.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

using namespace vexo;

namespace {

struct TOptions {
    std::optional<QString> screenshot;
    int quitAfter = -1;
    std::optional<std::string> openPopup;
    std::optional<std::string> editCell;
};

// The options, or the exit code when the program is to stop here (help, version, a bad option).
std::optional<int> parseOptions(int argc, char** argv, const TExample& example, TOptions& options) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(example.description));
    const QCommandLineOption screenshot("screenshot",
                                        "Writes a PNG of the window to FILE instead of showing it.", "FILE");
    const QCommandLineOption quitAfter("quit-after", "Shows the window and closes it after MS milliseconds.",
                                       "MS");
    const QCommandLineOption openPopup("open-popup",
                                       "Shows the window with the pop-up of its control NAME open.", "NAME");
    const QCommandLineOption editCell("edit", "Shows the window with the grid's cell editor open on ROW,COL.",
                                      "ROW,COL");
    parser.addOptions({screenshot, quitAfter});
    if (example.openPopup) parser.addOption(openPopup);
    if (example.editCell) parser.addOption(editCell);
    parser.addOptions(example.options);
    if (const std::optional<int> stop = ParseCommandLine(parser, argc, argv, example.name, 0)) return stop;
    if (parser.isSet(screenshot)) options.screenshot = parser.value(screenshot);
    if (example.openPopup && parser.isSet(openPopup))
        options.openPopup = parser.value(openPopup).toStdString();
    if (example.editCell && parser.isSet(editCell)) options.editCell = parser.value(editCell).toStdString();
    if (parser.isSet(quitAfter)) {
        bool ok = false;
        const int ms = parser.value(quitAfter).toInt(&ok);
        if (!ok || ms < 0) {
            std::fprintf(stderr, "%s: --quit-after needs milliseconds, not '%s'\n", example.name,
                         parser.value(quitAfter).toLocal8Bit().constData());
            return 2;
        }
        options.quitAfter = ms;
    }
    if (example.takeOptions) return example.takeOptions(parser);
    return std::nullopt;
}

int run(const TExample& example, const TOptions& options) {
    TForm* form = nullptr;
    // Without a window on screen nobody can close a message box: it goes to standard error.
    TMessageBoxPresenter previous;
    if (options.screenshot)
        previous = Application->SetMessageBoxPresenter(
            [&example](const std::string& text, const std::string& caption, UINT) {
                std::fprintf(stderr, "%s: %s: %s\n", example.name, caption.c_str(), text.c_str());
                return IDOK;
            });
    const ScopeGuard restore([&] {
        if (options.screenshot) Application->SetMessageBoxPresenter(std::move(previous));
    });
    try {
        Application->Initialize();
        form = example.createMainForm();
    } catch (const std::exception& error) {
        // A form file that cannot be read leaves nothing to show; say why and stop.
        std::fprintf(stderr, "%s: %s\n", example.name, error.what());
        if (!options.screenshot) Application->ShowException(error);
        return 1;
    }

    // A step on the shown form before the picture or the loop: a pop-up or the cell editor opened.
    auto prepare = [&](const std::optional<std::string>& value, const auto& step, const char* refusal) {
        if (!value) return true;
        form->Show();
        QApplication::processEvents();
        if (!step(form, *value)) {
            std::fprintf(stderr, "%s: %s '%s'\n", example.name, refusal, value->c_str());
            return false;
        }
        QApplication::processEvents();
        return true;
    };
    if (!prepare(options.openPopup, example.openPopup, "no control opens a pop-up by the name") ||
        !prepare(options.editCell, example.editCell, "no editable cell at"))
        return 2;
    if (options.screenshot) {
        const QImage picture = example.picture ? example.picture(form) : RenderToImage(form);
        if (picture.isNull() || !picture.save(*options.screenshot, "PNG")) {
            std::fprintf(stderr, "%s: cannot write the picture to %s\n", example.name,
                         options.screenshot->toLocal8Bit().constData());
            return 1;
        }
        std::printf("%s\n", options.screenshot->toLocal8Bit().constData());
        return 0;
    }
    if (options.quitAfter >= 0) QTimer::singleShot(options.quitAfter, [] { Application->Terminate(); });
    Application->Run();
    return 0;
}

} // namespace

std::optional<int> ParseCommandLine(QCommandLineParser& parser, int argc, char** argv, const char* name,
                                    int positionals) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QCommandLineOption help({"h", "help"}, "Displays help on commandline options.");
    const QCommandLineOption version({"v", "version"}, "Displays version information.");
    parser.addOptions({help, version});
    // Without an application object the parser does not know the program's name.
    const QString usage = parser.helpText().replace("<executable_name>", QString::fromUtf8(name));
    const bool parsed = parser.parse(args);
    if (parsed && parser.isSet(help)) {
        std::printf("%s", usage.toLocal8Bit().constData());
        return 0;
    }
    if (parsed && parser.isSet(version)) {
        std::printf("%s %s\n", name, VEXO_VERSION);
        return 0;
    }
    if (!parsed || parser.positionalArguments().size() != positionals) {
        const QString why = !parsed ? parser.errorText()
                            : positionals == 0
                                ? "unexpected argument: " + parser.positionalArguments().first()
                                : QString("expected %1 argument(s), not %2")
                                      .arg(positionals)
                                      .arg(parser.positionalArguments().size());
        std::fprintf(stderr, "%s: %s\n\n%s", name, why.toLocal8Bit().constData(),
                     usage.toLocal8Bit().constData());
        return 2;
    }
    return std::nullopt;
}

int RunExample(int argc, char** argv, const TExample& example) {
    TOptions options;
    if (const std::optional<int> stop = parseOptions(argc, argv, example, options)) return *stop;
    if (options.screenshot && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Qt lives for this call only: the forms go before it (below), and nothing of Qt is left for
    // the exit handlers, which run after Qt's own globals are gone.
    QApplication qtApp(argc, argv);
    const int result = run(example, options);
    Application->DestroyComponents();
    return result;
}
