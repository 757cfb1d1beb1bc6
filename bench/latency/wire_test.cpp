// The bench's own clients against a real quivelo-host: if they misread the host, the
// figures of make bench mean nothing.
#include <gtest/gtest.h>

#include "chatter.h"
#include "hostchild.h"

namespace {

const std::string kHost = std::string(QUIVELO_BIN_DIR) + "/quivelo-host";

TEST(ParseChat, ReadsTheSpeakerTheWordAndTheNumber) {
    const auto line = parseChat("CMD_chat+s5 chats: hi 37|clWhite");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->name, "s5");
    EXPECT_EQ(line->word, "hi");
    EXPECT_EQ(line->number, 37);
    EXPECT_FALSE(parseChat("CMD_chat+Too many lines; wait a moment.|clSilver"));
    EXPECT_FALSE(parseChat("CMD_nextplayer+1"));
}

TEST(Flooder, KeepsNinetyWaitingWithoutBeingClosed) {
    HostChild host(kHost);
    ASSERT_TRUE(host.started());
    EXPECT_GT(host.rssKb(), 0);
    WireClient client(host.port());
    const int seat = logIn(client, "s1");
    ASSERT_EQ(seat, 1);
    Flooder flooder(seat, 90);
    const std::vector<std::string> lines = flooder.topUp();
    EXPECT_EQ(lines.size(), 90u);
    client.send(lines);
    EXPECT_TRUE(flooder.topUp().empty());  // ninety are out already
    const auto end = BenchClock::now() + std::chrono::seconds(3);
    while (BenchClock::now() < end && client.open()) {
        pollClients({&client}, 5);
        std::string m;
        while (client.next(m))
            if (auto line = parseChat(m); line && line->name == "s1") flooder.relayed(line->number);
        client.send(flooder.topUp());
        ASSERT_LE(flooder.sent() - flooder.handled(), 90);
    }
    EXPECT_TRUE(client.open());
    // Alone, the queue serves it a hundred lines a second.
    EXPECT_GT(flooder.handled(), 150);
}

TEST(Prober, TimesItsOwnLinesComingBack) {
    HostChild host(kHost);
    ASSERT_TRUE(host.started());
    WireClient client(host.port());
    ASSERT_EQ(logIn(client, "p1"), 1);
    Prober prober(1, 1);
    const auto end = BenchClock::now() + std::chrono::milliseconds(2500);
    while (BenchClock::now() < end) {
        pollClients({&client}, 1);
        std::string m;
        while (client.next(m))
            if (auto line = parseChat(m); line && line->word == "probe")
                prober.relayed(line->number, BenchClock::now());
        if (auto probe = prober.due(BenchClock::now())) client.send(*probe);
    }
    ASSERT_GE(prober.ms().size(), 2u);
    EXPECT_EQ(prober.lost(), 0);
    for (double ms : prober.ms())
        EXPECT_LT(ms, 500);
}

}  // namespace
