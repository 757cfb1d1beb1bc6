// A seated player's chat latency while hostile clients load a real quivelo-host:
//   spies   five spies (seats 5 to 9) each keep 90 chat lines waiting in the host;
//   resets  one client connects, sends 100 lines and resets the connection, again and again.
// Four players (seats 1 to 4) probe all along; the host's memory is read before and after.
//   hostile_bench [path/to/quivelo-host] [seconds per load]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "table.h"

namespace {

void report(const char* load, const Table& table, long rssBefore, long rssAfter,
            const std::string& more) {
    std::printf("load=%s %s lost=%d rss_before_kb=%ld rss_after_kb=%ld %s\n", load,
                summary(table.ms()).c_str(), table.lost(), rssBefore, rssAfter, more.c_str());
    std::fflush(stdout);
}

bool spies(const std::string& program, double seconds) {
    HostChild host(program);
    Table table(host.port());
    if (!host.started() || !table.seated()) return false;
    const long before = host.rssKb();
    std::vector<std::unique_ptr<WireClient>> clients;
    std::vector<Flooder> flooders;
    std::vector<WireClient*> spyClients;
    for (int seat = 5; seat <= 9; ++seat) {
        clients.push_back(std::make_unique<WireClient>(host.port()));
        if (logIn(*clients.back(), clientName('s', seat)) != seat) return false;
        flooders.emplace_back(seat, 90);
        spyClients.push_back(clients.back().get());
    }
    runLoad(table, spyClients, seconds, [&] {
        for (std::size_t i = 0; i < clients.size(); ++i) {
            WireClient& spy = *clients[i];
            if (!spy.open()) continue;
            const std::string me = clientName('s', int(i) + 5);
            std::string m;
            while (spy.next(m))
                if (auto line = parseChat(m); line && line->name == me)
                    flooders[i].relayed(line->number);
            spy.send(flooders[i].topUp());
        }
    });
    long handled = 0;
    for (const Flooder& f : flooders)
        handled += f.handled();
    int closed = 0;  // by the host, for keeping too much waiting
    for (const auto& spy : clients)
        closed += spy->open() ? 0 : 1;
    report(
        "spies", table, before, host.rssKb(),
        "spies_closed=" + std::to_string(closed) + " spy_lines_handled=" + std::to_string(handled));
    return true;
}

bool resets(const std::string& program, double seconds) {
    HostChild host(program);
    Table table(host.port());
    if (!host.started() || !table.seated()) return false;
    const long before = host.rssKb();
    std::unique_ptr<WireClient> hostile;
    std::vector<WireClient*> watched;
    int cycles = 0, refused = 0;
    runLoad(table, watched, seconds, [&] {
        if (!hostile) {
            hostile = std::make_unique<WireClient>(host.port());
            watched = {hostile.get()};
        }
        hostile->readSome();
        std::string m;
        bool done = !hostile->open();
        refused += done ? 1 : 0;  // closed before it was offered a seat
        while (!done && hostile->next(m)) {
            if (m.rfind("CMD_sendlogininfo+", 0) != 0) continue;
            const std::string seat = m.substr(18);
            std::vector<std::string> lines{"CMD_logininfo+" + seat + "+2.0.10+r"};
            while (lines.size() < 100)
                lines.push_back("CMD_chat+" + seat + "+hi|clWhite");
            hostile->send(lines);
            hostile->reset();
            ++cycles;
            done = true;
        }
        if (done) {
            hostile.reset();
            watched.clear();
        }
    });
    report("resets", table, before, host.rssKb(),
           "cycles=" + std::to_string(cycles) + " refused=" + std::to_string(refused));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string program = argc > 1 ? argv[1] : std::string(argv[0]);
    if (argc <= 1) program = program.substr(0, program.rfind('/') + 1) + "quivelo-host";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10;
    if (!spies(program, seconds) || !resets(program, seconds)) {
        std::fprintf(stderr, "hostile_bench: the host did not start or seat its players\n");
        return 1;
    }
    return 0;
}
