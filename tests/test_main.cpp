// Test entry point: every test runs inside one QApplication on Qt's offscreen platform unless the
// caller picked a platform (the Xvfb screenshot tests set QT_QPA_PLATFORM=xcb).
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
