// Arbitrary message sequences from several connections to a real host on
// loopback, connections opening and closing among them: whatever arrives, the
// host stays inside its tables, the cards stay valid, and nothing crashes.
//
// The input is a list of steps. Each step's first byte picks a connection (low
// nibble, 0 to 9) and what happens to it (high nibble): connect, close, reset,
// or send the bytes that follow, up to the next 0xFE, as they are (0xFF ends a
// message, so messages, partial ones included, come straight from the input).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "host/tserver.h"

namespace {

constexpr int kConnections = 10;

struct World {
    World() {
        static int argc = 1;
        static char name[] = "hostdispatch_fuzz";
        static char* argv[] = {name, nullptr};
        app = new QCoreApplication(argc, argv);
        server = new TServer;
        server->setComputerPlayInterval(1);
        server->setLoginTimeout(50);
        server->setQueueInterval(0);
        server->startListening(0);
        port = server->listeningPort();
    }
    // One pass of the event loop.
    static void pump() { QCoreApplication::processEvents(QEventLoop::AllEvents, 1); }
    int open() {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }
    static void close(int& fd, bool reset) {
        if (fd < 0) return;
        if (reset) {
            linger hard{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        }
        ::close(fd);
        fd = -1;
    }
    void check() const {
        if (server->currentplayer() < 0 || server->currentplayer() > 4) std::abort();
        for (int seat = 1; seat <= 4; ++seat) {
            const tplayer& p = server->player(seat);
            for (int marks : p.marks)
                if (marks < 0 || marks > 3) std::abort();
            if (p.score < 0 || p.placed < 0 || p.placed > 12) std::abort();
        }
        for (int die : server->turn().dice)
            if (die < 0 || die > 6) std::abort();
    }

    QCoreApplication* app;
    TServer* server;
    quint16 port;
    std::array<int, kConnections> fds{};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    auto& fds = world.fds;
    fds.fill(-1);
    std::size_t at = 0;
    while (at < size) {
        const std::uint8_t step = data[at++];
        int& fd = fds[std::size_t(step & 0x0F) % kConnections];
        switch (step >> 4) {
            case 0:
                if (fd < 0) fd = world.open();
                break;
            case 1:
                World::close(fd, false);
                break;
            case 2:
                World::close(fd, true);
                break;
            default: {
                std::size_t end = at;
                while (end < size && data[end] != 0xFE)
                    ++end;
                if (fd >= 0) (void)::send(fd, data + at, end - at, MSG_NOSIGNAL | MSG_DONTWAIT);
                at = end + 1;
                break;
            }
        }
        World::pump();
        world.check();
    }
    for (int& fd : fds)
        World::close(fd, true);
    // Let the host handle what is waiting and see every connection go; in
    // single passes of the event loop, so that an input takes no longer than it must.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 2000) {
        World::pump();
        bool anybody = false;
        for (int seat = 1; seat <= 9; ++seat)
            anybody = anybody || world.server->player(seat).connected;
        if (!anybody && !world.server->socktimerActive()) break;
    }
    world.check();
    return 0;
}
