// GoogleTest main for the program's windows: the tests run inside the program's own
// application object, so an error that escapes a handler reaches the error box
// (which the tests record) exactly as in the program.
#include <gtest/gtest.h>

#include <csignal>

#include "platform/application.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::signal(SIGPIPE, SIG_IGN);
    platform::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
