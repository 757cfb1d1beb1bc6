// Nine clients chatting flat out at a real quivelo-host: each keeps up to 90 lines
// waiting in the host, so the host's queue never runs dry. Prints how many lines a
// second reach the others, how many the host handled, its processor time and memory.
//   chat_bench [path/to/quivelo-host] [seconds]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "chatter.h"
#include "hostchild.h"

int main(int argc, char** argv) {
    std::string program = argc > 1 ? argv[1] : std::string(argv[0]);
    if (argc <= 1) program = program.substr(0, program.rfind('/') + 1) + "quivelo-host";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10;

    HostChild host(program);
    std::vector<std::unique_ptr<WireClient>> clients;
    std::vector<WireClient*> all;
    std::vector<Flooder> flooders;
    for (int seat = 1; host.started() && seat <= 9; ++seat) {
        clients.push_back(std::make_unique<WireClient>(host.port()));
        all.push_back(clients.back().get());
        if (logIn(*clients.back(), clientName('c', seat)) != seat) break;
        flooders.emplace_back(seat, 90);
    }
    if (flooders.size() != 9) {
        std::fprintf(stderr, "chat_bench: the host did not start or seat nine clients\n");
        return 1;
    }
    const long rssBefore = host.rssKb(), ticksBefore = host.cpuTicks();
    const auto start = BenchClock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    long relayed = 0;
    for (auto now = start; now < end; now = BenchClock::now()) {
        pollClients(all, 1);
        for (std::size_t i = 0; i < clients.size(); ++i) {
            WireClient& c = *clients[i];
            if (!c.open()) continue;
            const std::string me = clientName('c', int(i) + 1);
            std::string m;
            while (c.next(m)) {
                const auto line = parseChat(m);
                if (!line || line->word != "hi") continue;
                if (i == 0) ++relayed;  // everybody gets every relayed line; one counts them
                if (line->name == me) flooders[i].relayed(line->number);
            }
            c.send(flooders[i].topUp());
        }
    }
    const double elapsed = std::chrono::duration<double>(BenchClock::now() - start).count();
    const long ticks = host.cpuTicks() - ticksBefore;
    int closed = 0;  // by the host, for keeping too much waiting
    for (const auto& c : clients)
        closed += c->open() ? 0 : 1;
    long handled = 0;  // at least: each relayed line shows that those before it were handled
    for (const Flooder& f : flooders)
        handled += f.handled();
    std::printf(
        "relayed_per_s=%.1f handled_per_s=%.1f host_cpu_pct=%.2f rss_before_kb=%ld "
        "rss_after_kb=%ld closed=%d seconds=%.1f\n",
        relayed / elapsed, handled / elapsed, 100.0 * ticks / sysconf(_SC_CLK_TCK) / elapsed,
        rssBefore, host.rssKb(), closed, elapsed);
    return 0;
}
