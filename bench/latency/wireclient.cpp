#include "wireclient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

WireClient::WireClient(std::uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        close();
        return;
    }
    const int one = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

WireClient::~WireClient() {
    close();
}

void WireClient::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void WireClient::send(const std::vector<std::string>& messages) {
    std::string out;
    for (const std::string& m : messages)
        out += m + '\xFF';
    for (std::size_t done = 0; fd_ >= 0 && done < out.size();) {
        const ssize_t n = ::send(fd_, out.data() + done, out.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return close();
        done += std::size_t(n);
    }
}

bool WireClient::readSome() {
    char area[65536];
    for (;;) {
        if (fd_ < 0) return false;
        const ssize_t n = ::recv(fd_, area, sizeof area, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            close();
            return false;
        }
        if (n < 0) return true;
        input_.append(area, std::size_t(n));
        for (std::size_t end; (end = input_.find('\xFF')) != std::string::npos;) {
            messages_.push_back(input_.substr(0, end));
            input_.erase(0, end + 1);
        }
    }
}

bool WireClient::next(std::string& message) {
    if (messages_.empty()) return false;
    message = std::move(messages_.front());
    messages_.pop_front();
    return true;
}

void WireClient::reset() {
    if (fd_ < 0) return;
    const linger hard{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    close();
}

bool WireClient::waitFor(const std::string& prefix, std::string& message, int ms) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        while (next(message))
            if (message.rfind(prefix, 0) == 0) return true;
        pollClients({this}, 5);
        if (!open()) return false;
    }
    return false;
}

void pollClients(const std::vector<WireClient*>& clients, int ms) {
    std::vector<pollfd> fds;
    for (WireClient* c : clients)
        if (c->open()) fds.push_back({c->fd(), POLLIN, 0});
    if (::poll(fds.data(), fds.size(), ms) <= 0) return;
    for (WireClient* c : clients)
        for (const pollfd& p : fds)
            if (p.fd == c->fd() && p.revents) c->readSome();
}
