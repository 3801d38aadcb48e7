#include "app/ExampleMain.h"

#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TForm.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

using namespace vexo;

namespace {

int run(const TExample& example, const char* screenshot, int quitAfter) {
    TForm* form = nullptr;
    try {
        Application->Initialize();
        form = example.createMainForm();
    } catch (const std::exception& error) {
        // A form file that cannot be read leaves nothing to show; say why and stop.
        std::fprintf(stderr, "%s: %s\n", example.name, error.what());
        if (screenshot == nullptr) Application->ShowException(error);
        return 1;
    }

    if (screenshot != nullptr) {
        const QImage picture = example.picture ? example.picture(form) : RenderToImage(form);
        if (picture.isNull() || !picture.save(screenshot, "PNG")) {
            std::fprintf(stderr, "%s: cannot write the picture to %s\n", example.name, screenshot);
            return 1;
        }
        std::printf("%s\n", screenshot);
        return 0;
    }
    if (quitAfter >= 0) QTimer::singleShot(quitAfter, [] { Application->Terminate(); });
    Application->Run();
    return 0;
}

} // namespace

int RunExample(int argc, char** argv, const TExample& example) {
    const char* screenshot = nullptr;
    int quitAfter = -1;
    for (int i = 1; i < argc; ++i) {
        const bool shot = std::strcmp(argv[i], "--screenshot") == 0;
        const bool quit = std::strcmp(argv[i], "--quit-after") == 0;
        if (!shot && !quit) continue;
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s: %s needs a value\n", example.name, argv[i]);
            return 2;
        }
        if (shot) {
            screenshot = argv[++i];
            continue;
        }
        char* end = nullptr;
        const long ms = std::strtol(argv[++i], &end, 10);
        if (*end != '\0' || ms < 0 || ms > 3600000) {
            std::fprintf(stderr, "%s: --quit-after needs milliseconds, not '%s'\n", example.name, argv[i]);
            return 2;
        }
        quitAfter = static_cast<int>(ms);
    }
    if (screenshot != nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Qt lives for this call only: the forms go before it (below), and nothing of Qt is left for
    // the exit handlers, which run after Qt's own globals are gone.
    QApplication qtApp(argc, argv);
    const int result = run(example, screenshot, quitAfter);
    Application->DestroyComponents();
    return result;
}
