// Players who drop out of a running game, with the real quivelo-host and
// quivelo-bot: one comes back to his seat, one vanishes without a close.
#include <gtest/gtest.h>

#include "tests/e2e/program.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::waitUntil;

namespace {

// Ann, a bot in seat 1, starts a game against Vuzi; Bob, a client played by the
// test, then takes seat 2 and does nothing, so the game waits for him.
std::unique_ptr<TestClient> startGameWithBob(quint16 port, Program& ann) {
    ann.start({"--port", QString::number(port), "--name", "Ann", "--start", "n"});
    EXPECT_TRUE(waitUntil([&] { return ann.output().contains("Ann started a game"); }));
    auto bob = std::make_unique<TestClient>();
    EXPECT_TRUE(bob->connectTo(port));
    EXPECT_EQ(bob->waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+2");
    bob->send("CMD_logininfo+2+2.0.10+Bob");
    EXPECT_FALSE(bob->waitFor("CMD_newplayerinfo+2+Bob").isEmpty());
    return bob;
}

}  // namespace

TEST(Dropout, APlayerWhoDropsOutComesBackToHisSeatAndPlaysTheGameToItsEnd) {
    Program host("quivelo-host"), ann("quivelo-bot"), bobAgain("quivelo-bot");
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0);
    auto bob = startGameWithBob(port, ann);
    bob->socket().abort();
    ASSERT_TRUE(waitUntil([&] { return host.errors().contains("seat 2: Bob left"); }));

    // A new connection gets seat 3, as seat 2 is kept; the login moves it back.
    bobAgain.start({"--port", QString::number(port), "--name", "Bob"});
    ASSERT_TRUE(waitUntil([&] { return bobAgain.output().contains("Bob sits in seat 2"); }))
        << bobAgain.output().toStdString() << host.errors().toStdString();
    EXPECT_TRUE(host.errors().contains("seat 3: Bob comes back to seat 2"));
    ASSERT_TRUE(ann.waitForExit(120000)) << ann.output().toStdString();
    ASSERT_TRUE(bobAgain.waitForExit(10000));
    EXPECT_EQ(ann.exitCode(), 0);
    EXPECT_EQ(bobAgain.exitCode(), 0);
    EXPECT_TRUE(bobAgain.output().contains("seat 2 (Bob): darts"));
    EXPECT_TRUE(bobAgain.output().contains("winner: "));
}

TEST(Dropout, APeerThatVanishesWithoutACloseIsFoundAndTheGameGoesOn) {
    if (!enterPrivateNetwork() || shell("nft add table inet vanish") != 0)
        GTEST_SKIP() << "needs root, a network namespace and nftables";
    Program host("quivelo-host"), ann("quivelo-bot");
    const quint16 port = startHost(host, {"--keepalive", "1,1,2"});
    ASSERT_NE(port, 0);
    auto bob = startGameWithBob(port, ann);
    const quint16 bobPort = bob->socket().localPort();
    ASSERT_EQ(shell("nft add chain inet vanish out '{ type filter hook output priority 0; }'"), 0);
    ASSERT_EQ(shell(QString("nft add rule inet vanish out tcp sport %1 drop").arg(bobPort)), 0);

    ASSERT_TRUE(waitUntil(
        [&] { return host.errors().contains("seat 2: no answer to keepalive probes"); }, 15000))
        << host.errors().toStdString();
    EXPECT_TRUE(waitUntil([&] { return host.errors().contains("seat 2: Bob left"); }));
    // Vuzi plays seat 2 from here: the game goes on.
    EXPECT_TRUE(waitUntil([&] { return ann.output().contains("seat 2 (Vuzi): darts"); }, 10000))
        << ann.output().toStdString();
}
