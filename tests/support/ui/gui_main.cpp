// The window tests' main: one QApplication for the whole run, made before any
// test and destroyed after all of them, while Qt itself is still whole.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // No display is needed: the windows are drawn offscreen (also while tests are being listed).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
