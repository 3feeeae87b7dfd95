#include <gtest/gtest.h>

#include <QApplication>

// GoogleTest programs that paint or print need an application object. They
// never need a screen: the offscreen platform also serves when CMake runs the
// program to list its tests, where CTest's environment does not apply.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
