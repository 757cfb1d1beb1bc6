#pragma once

#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "wireclient.h"

using BenchClock = std::chrono::steady_clock;

// The bench's names: p1 to p4 for the players, s5 to s9 for spies, c1 to c9 for chatters.
std::string clientName(char role, int seat);

// Logs in under the name; the seat the host gave, or 0.
int logIn(WireClient& client, const std::string& name);

// A relayed chat line, "CMD_chat+NAME chats: WORD N|clColour": who said it and its number.
struct ChatLine {
    std::string name;
    std::string word;
    long number = -1;
};
std::optional<ChatLine> parseChat(const std::string& message);

// Keeps about `keep` numbered chat lines of one connection waiting in the host. The
// flood control relays some of them, and a relayed line shows that every line before
// it has been handled, so no more than sent - handled can still be waiting.
class Flooder {
  public:
    Flooder(int seat, int keep) : seat_(seat), keep_(keep) {}
    std::vector<std::string> topUp();
    void relayed(long number) { handled_ = std::max(handled_, number); }
    long sent() const { return sent_; }
    long handled() const { return handled_; }

  private:
    int seat_, keep_;
    long sent_ = 0, handled_ = 0;
};

// A player asking "how long until my own line comes back?": one numbered line at a
// time, every 600 to 900 ms, under the host's two lines a second per connection.
class Prober {
  public:
    Prober(int seat, unsigned seed) : seat_(seat), gen_(seed) {}
    std::optional<std::string> due(BenchClock::time_point now);
    void relayed(long number, BenchClock::time_point now);
    bool waiting() const { return outstanding_ >= 0; }
    const std::vector<double>& ms() const { return ms_; }
    // Lines that had not come back within five seconds.
    int lost() const { return lost_; }

  private:
    int seat_;
    std::mt19937 gen_;
    long count_ = 0, outstanding_ = -1;
    int lost_ = 0;
    BenchClock::time_point sentAt_{}, next_{};
    std::vector<double> ms_;
};

// "n=.. median=.. p99=.. worst=.." of latencies in milliseconds.
std::string summary(std::vector<double> ms);
