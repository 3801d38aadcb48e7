// The sample application: one form with the grid, run in the framework's message loop.
//
//     vexo_sample                     shows the form until it is closed
//     vexo_sample --screenshot FILE   writes a PNG of the form and prints its path; without a
//                                     platform chosen it needs no display
#include "app/Form1.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

using namespace vexo;

namespace {

int runSample(const char* screenshot) {
    TForm1* Form1 = nullptr;
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
    } catch (const std::exception& error) {
        // A form file that cannot be read leaves nothing to show; say why and stop.
        std::fprintf(stderr, "vexo_sample: %s\n", error.what());
        if (screenshot == nullptr) Application->ShowException(error);
        return 1;
    }

    if (screenshot != nullptr) {
        if (!SaveToPng(Form1, screenshot)) {
            std::fprintf(stderr, "vexo_sample: cannot write the picture to %s\n", screenshot);
            return 1;
        }
        std::printf("%s\n", screenshot);
        return 0;
    }
    Application->Run();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") != 0) continue;
        if (i + 1 >= argc) {
            std::fprintf(stderr, "vexo_sample: --screenshot needs a file name\n");
            return 2;
        }
        screenshot = argv[++i];
    }
    if (screenshot != nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Qt lives for main's duration only: the forms go before it (below), and nothing of Qt is
    // left for the exit handlers, which run after Qt's own globals are gone.
    QApplication qtApp(argc, argv);
    const int result = runSample(screenshot);
    Application->DestroyComponents();
    return result;
}
