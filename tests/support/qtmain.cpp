// GoogleTest main for tests that need Qt's event loop or widgets: the tests run
// inside a QApplication on the offscreen platform, so no display is needed.
#include <gtest/gtest.h>

#include <QApplication>
#include <csignal>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
