#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Thin wrappers over the BSD socket calls. Every socket is a non-blocking IPv4
// stream socket; failures come back as Windows Sockets codes (platform/wsaerrors.h).
namespace platform {

struct Ipv4Endpoint {
    std::uint32_t address = 0;  // network byte order, as inet_addr gives it
    std::uint16_t port = 0;     // host byte order
};

constexpr int kNoSocket = -1;

// A new non-blocking, close-on-exec TCP socket, or kNoSocket (see lastSocketError).
int openStreamSocket();

// The last failure of a call on this thread as a Windows Sockets code.
int lastSocketError();

// Starts a connection. Returns 0 when it is under way or made, else the error code.
int startConnect(int fd, Ipv4Endpoint remote);

// Binds to every local address on `port` (0 = any free port) and listens.
bool bindAnyAddress(int fd, std::uint16_t port);
bool startListening(int fd, int backlog);

// The next waiting connection as a non-blocking socket, or kNoSocket.
int acceptConnection(int fd, Ipv4Endpoint* peer);

// Result of a receive or send: bytes moved, or -1 with a Windows Sockets code.
struct IoResult {
    long count = 0;
    int error = 0;
    bool wouldBlock() const;
};
IoResult receiveSome(int fd, char* buffer, std::size_t size);
// Looks at the next byte without taking it: 0 = the peer closed, 1 = data waits.
IoResult peekOne(int fd);
IoResult sendSome(int fd, const char* data, std::size_t size);

bool closeSocket(int fd);

// Probes a connection that has been silent for `idleS` seconds every `intervalS`
// seconds; after `probes` unanswered probes the connection fails with a time-out.
// Data left unacknowledged for as long fails it the same way.
bool setKeepAlive(int fd, int idleS, int intervalS, int probes);

// The error a connection attempt ended with (SO_ERROR), as a Windows Sockets code; 0 = none.
int pendingSocketError(int fd);

std::uint16_t localPort(int fd);

// Dotted IPv4 text, as inet_addr converts it (INADDR_NONE when it is not one).
std::uint32_t dottedToAddress(const std::string& text);
std::string addressToDotted(std::uint32_t address);

// The first IPv4 address of a host name from the host database; nullopt when there is none.
std::optional<std::uint32_t> lookupHostAddress(const std::string& name);

// A service's port from the services database; nullopt when there is none.
std::optional<std::uint16_t> lookupServicePort(const std::string& name, const char* protocol);

}  // namespace platform
