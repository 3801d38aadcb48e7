// The sample application. Until the grid lands it shows a placeholder window.
#include <QApplication>
#include <QLabel>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    if (screenshot != nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    QLabel window(QStringLiteral("VexoControls"));
    window.setWindowTitle(QStringLiteral("VexoControls"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(606, 256);

    if (screenshot != nullptr) {
        if (!window.grab().save(QString::fromLocal8Bit(screenshot), "PNG")) {
            std::fprintf(stderr, "vexo_sample: cannot write %s\n", screenshot);
            return 1;
        }
        std::printf("%s\n", screenshot);
        return 0;
    }
    window.show();
    return app.exec();
}
