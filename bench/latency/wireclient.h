#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// One connection to the host as a bench client sees it: plain blocking sends, reads
// that never wait, and the host's messages split at their 0xFF ends.
class WireClient {
  public:
    explicit WireClient(std::uint16_t port);
    ~WireClient();
    WireClient(const WireClient&) = delete;
    WireClient& operator=(const WireClient&) = delete;

    bool open() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Sends the messages in one write, each with its end byte.
    void send(const std::vector<std::string>& messages);
    void send(const std::string& message) { send(std::vector<std::string>{message}); }
    // Takes what has arrived; false once the host has closed the connection.
    bool readSome();
    bool next(std::string& message);
    // Closes with SO_LINGER 0, so the host sees a reset rather than an orderly end.
    void reset();
    // Reads until a message starting with the prefix comes, up to the time limit.
    bool waitFor(const std::string& prefix, std::string& message, int ms = 5000);

  private:
    void close();

    int fd_ = -1;
    std::string input_;
    std::deque<std::string> messages_;
};

// Waits up to `ms` for input on any of the clients and reads it.
void pollClients(const std::vector<WireClient*>& clients, int ms);
