#include "table.h"

Table::Table(std::uint16_t port) {
    for (int i = 1; i <= 4; ++i) {
        clients_.push_back(std::make_unique<WireClient>(port));
        const int seat = logIn(*clients_.back(), clientName('p', i));
        seated_ = seated_ && seat == i;
        probers_.emplace_back(seat, 7775u + unsigned(i));
    }
}

std::vector<WireClient*> Table::clients() const {
    std::vector<WireClient*> all;
    for (const auto& c : clients_)
        all.push_back(c.get());
    return all;
}

void Table::serve(bool probing) {
    for (std::size_t i = 0; i < clients_.size(); ++i) {
        WireClient& client = *clients_[i];
        Prober& prober = probers_[i];
        const std::string me = clientName('p', int(i) + 1);
        std::string m;
        while (client.next(m)) {
            const auto line = parseChat(m);
            if (line && line->name == me && line->word == "probe")
                prober.relayed(line->number, BenchClock::now());
        }
        if (!probing) continue;
        if (auto probe = prober.due(BenchClock::now())) client.send(*probe);
    }
}

bool Table::waiting() const {
    for (const Prober& p : probers_)
        if (p.waiting()) return true;
    return false;
}

std::vector<double> Table::ms() const {
    std::vector<double> all;
    for (const Prober& p : probers_)
        all.insert(all.end(), p.ms().begin(), p.ms().end());
    return all;
}

int Table::lost() const {
    int n = 0;
    for (const Prober& p : probers_)
        n += p.lost() + (p.waiting() ? 1 : 0);  // still out when the load ended
    return n;
}
