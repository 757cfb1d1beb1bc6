#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chatter.h"
#include "hostchild.h"
#include "wireclient.h"

// The four seated players (seats 1 to 4, named p1 to p4), each probing the host
// with its own chat lines while some load runs.
class Table {
  public:
    explicit Table(std::uint16_t port);
    bool seated() const { return seated_; }
    std::vector<WireClient*> clients() const;
    // Reads what came, notes returned probes and sends those that are due.
    void serve(bool probing);
    bool waiting() const;
    std::vector<double> ms() const;
    int lost() const;

  private:
    std::vector<std::unique_ptr<WireClient>> clients_;
    std::vector<Prober> probers_;
    bool seated_ = true;
};

// Runs `step` with fresh input until `seconds` are over, then lets the probes that
// are out come back (at most six more seconds) while `step` goes on.
template <typename Step>
void runLoad(Table& table, const std::vector<WireClient*>& others, double seconds, Step step) {
    const auto end = BenchClock::now() + std::chrono::duration<double>(seconds);
    const auto last = end + std::chrono::seconds(6);
    for (;;) {
        const auto now = BenchClock::now();
        if (now >= last || (now >= end && !table.waiting())) return;
        std::vector<WireClient*> all = table.clients();
        all.insert(all.end(), others.begin(), others.end());
        pollClients(all, 1);
        table.serve(now < end);
        step();
    }
}
