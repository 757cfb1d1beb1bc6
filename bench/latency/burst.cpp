// The host's pace in a burst: one client sends 95 throw requests in one write
// (outside a game, each is rolled and announced) and times the announcements
// from the first to the last. The queue handles one message every 10 ms, so the
// burst should run at 100 messages a second.
//   burst_bench [path/to/quivelo-host] [trials]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hostchild.h"
#include "wireclient.h"

int main(int argc, char** argv) {
    const std::string program = argc > 1 ? argv[1] : "build/bin/quivelo-host";
    const int trials = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    constexpr int kBurst = 95;  // under the 100 a connection may keep waiting
    HostChild host(program);
    if (!host.started()) return 1;
    WireClient player(host.port());
    std::string message;
    if (!player.waitFor("CMD_sendlogininfo+1", message)) return 1;
    player.send("CMD_logininfo+1+2.0.10+pacer");
    if (!player.waitFor("CMD_newplayerinfo+1+", message)) return 1;

    using Clock = std::chrono::steady_clock;
    std::vector<double> rates;
    for (int trial = 0; trial < trials; ++trial) {
        player.send(std::vector<std::string>(kBurst, "CMD_throwdarts+1"));
        Clock::time_point first, last;
        for (int seen = 0; seen < kBurst;) {
            if (!player.waitFor("CMD_thedart+", message)) return 1;
            (seen++ == 0 ? first : last) = Clock::now();
        }
        rates.push_back((kBurst - 1) / std::chrono::duration<double>(last - first).count());
    }
    std::sort(rates.begin(), rates.end());
    std::printf("burst n=%d median=%.1f min=%.1f max=%.1f\n", trials, rates[rates.size() / 2],
                rates.front(), rates.back());
    return 0;
}
