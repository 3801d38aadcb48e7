// The edit example: a dialog with one edit control per mode, run in the framework's message loop.
//
//     vexo_edits                     shows the form until it is closed
//     vexo_edits --screenshot FILE   writes a PNG of the form and prints its path; without a
//                                    platform chosen it needs no display
#include "app/edits/EditsForm.h"
#include "framework/windows/Render.h"
#include "framework/windows/TApplication.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

using namespace vexo;

namespace {

int runEdits(const char* screenshot) {
    TEditsForm* form = nullptr;
    try {
        Application->Initialize();
        Application->CreateForm(form);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vexo_edits: %s\n", error.what());
        if (screenshot == nullptr) Application->ShowException(error);
        return 1;
    }
    if (screenshot != nullptr) {
        // The labels are drawn on the form when the edits paint: show the form once, offscreen.
        form->Show();
        QApplication::processEvents();
        if (!SaveToPng(form, screenshot)) {
            std::fprintf(stderr, "vexo_edits: cannot write the picture to %s\n", screenshot);
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
            std::fprintf(stderr, "vexo_edits: --screenshot needs a file name\n");
            return 2;
        }
        screenshot = argv[++i];
    }
    if (screenshot != nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication qtApp(argc, argv);
    const int result = runEdits(screenshot);
    Application->DestroyComponents();
    return result;
}
