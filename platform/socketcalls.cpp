#include "platform/socketcalls.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/wsaerrors.h"

namespace platform {

namespace {

// A peer that goes away must not kill the process through SIGPIPE; sends also
// pass MSG_NOSIGNAL, this covers anything else that writes to a socket.
const bool kSigpipeIgnored = [] {
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}();

sockaddr_in toSockaddr(Ipv4Endpoint e) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(e.port);
    a.sin_addr.s_addr = e.address;
    return a;
}

IoResult ioResult(long n) {
    if (n >= 0) return {n, 0};
    return {-1, wsaErrorFromErrno(errno)};
}

}  // namespace

bool IoResult::wouldBlock() const {
    return count < 0 && error == 10035;
}

namespace {

// Messages are small and each one matters at once: without this, a second message
// sent right after another waits for the first one's acknowledgement.
void sendWithoutDelay(int fd) {
    int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

}  // namespace

int openStreamSocket() {
    (void)kSigpipeIgnored;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd >= 0) sendWithoutDelay(fd);
    return fd;
}

int lastSocketError() {
    return wsaErrorFromErrno(errno);
}

int startConnect(int fd, Ipv4Endpoint remote) {
    sockaddr_in a = toSockaddr(remote);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return 0;
    if (errno == EINPROGRESS || errno == EINTR) return 0;
    return wsaErrorFromErrno(errno);
}

bool bindAnyAddress(int fd, std::uint16_t port) {
    // Lets a restarted host bind while old connections linger in TIME_WAIT; a port
    // that another program listens on is still refused.
    int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a = toSockaddr({htonl(INADDR_ANY), port});
    return ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
}

bool startListening(int fd, int backlog) {
    return ::listen(fd, backlog) == 0;
}

int acceptConnection(int fd, Ipv4Endpoint* peer) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    int s = ::accept4(fd, reinterpret_cast<sockaddr*>(&a), &len, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (s < 0) return s;
    sendWithoutDelay(s);
    if (peer) *peer = {a.sin_addr.s_addr, ntohs(a.sin_port)};
    return s;
}

IoResult receiveSome(int fd, char* buffer, std::size_t size) {
    return ioResult(::recv(fd, buffer, size, MSG_DONTWAIT));
}

IoResult peekOne(int fd) {
    char c;
    return ioResult(::recv(fd, &c, 1, MSG_PEEK | MSG_DONTWAIT));
}

IoResult sendSome(int fd, const char* data, std::size_t size) {
    return ioResult(::send(fd, data, size, MSG_NOSIGNAL | MSG_DONTWAIT));
}

bool setKeepAlive(int fd, int idleS, int intervalS, int probes) {
    int on = 1;
    const unsigned userTimeoutMs = unsigned(idleS + intervalS * probes) * 1000u;
    return ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) == 0 &&
           ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleS, sizeof idleS) == 0 &&
           ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalS, sizeof intervalS) == 0 &&
           ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes) == 0 &&
           // Probes are only sent while nothing waits for an acknowledgement; the same
           // limit for unacknowledged data frees the seat even while others chat to it.
           ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeoutMs, sizeof userTimeoutMs) ==
               0;
}

bool closeSocket(int fd) {
    return fd >= 0 && ::close(fd) == 0;
}

int pendingSocketError(int fd) {
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) return wsaErrorFromErrno(errno);
    return err == 0 ? 0 : wsaErrorFromErrno(err);
}

std::uint16_t localPort(int fd) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) return 0;
    return ntohs(a.sin_port);
}

std::uint32_t dottedToAddress(const std::string& text) {
    return ::inet_addr(text.c_str());
}

std::string addressToDotted(std::uint32_t address) {
    in_addr a{};
    a.s_addr = address;
    char buf[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a, buf, sizeof buf);
    return buf;
}

std::optional<std::uint32_t> lookupHostAddress(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return std::nullopt;
    std::uint32_t address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(found);
    return address;
}

std::optional<std::uint16_t> lookupServicePort(const std::string& name, const char* protocol) {
    servent* s = ::getservbyname(name.c_str(), protocol);
    if (!s) return std::nullopt;
    return ntohs(static_cast<std::uint16_t>(s->s_port));
}

}  // namespace platform
