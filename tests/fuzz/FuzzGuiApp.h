#pragma once
// The Qt GUI application a fuzz target's drawing needs, made once, on the offscreen platform.
#include <QGuiApplication>
#include <cstdlib>

namespace vexo {

inline void EnsureFuzzGuiApp() {
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

} // namespace vexo
