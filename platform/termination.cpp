#include "platform/termination.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace platform {

namespace {

int wakeFds[2] = {-1, -1};

// Only async-signal-safe work here: the event loop does the rest.
void handleSignal(int signal) {
    const char s = char(signal);
    [[maybe_unused]] ssize_t n = ::write(wakeFds[1], &s, 1);
}

}  // namespace

void onTerminationSignal(std::function<void(int signal)> onSignal) {
    if (wakeFds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeFds) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [handler = std::move(onSignal)] {
        char s = 0;
        if (::read(wakeFds[0], &s, 1) == 1) handler(s);
    });
    struct sigaction action {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace platform
