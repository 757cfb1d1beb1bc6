// The desktop program's roles, checked on the real program: what it listens on and
// what it connects to for each command line.
#include <gtest/gtest.h>

#include "tests/e2e/program.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {
constexpr quint16 kGamePort = 7775;
constexpr quint16 kLobbyPort = 9001;
const char kEnd = char(0xFF);
}  // namespace

TEST(Roles, JoinConnectsToTheGivenHostOpensTheLobbyLinkAndAnswersTheLogin) {
    TestListener host(kGamePort), lobby(kLobbyPort);
    ASSERT_TRUE(host.listening() && lobby.listening());
    Program quivelo("quivelo");
    quivelo.start({"Ann", "127.0.0.1", "false"});
    ASSERT_TRUE(
        waitUntil([&] { return host.connections() == 1 && lobby.connections() == 1; }, 10000))
        << quivelo.errors().toStdString();
    QTcpSocket* game = host.socket(0);
    spin(100);
    EXPECT_EQ(game->readAll(), "") << "the client sends nothing until the host speaks";
    game->write(QByteArray("CMD_sendlogininfo+3") + kEnd);
    QByteArray answer;
    ASSERT_TRUE(waitUntil([&] { return (answer += game->readAll()).endsWith(kEnd); }));
    EXPECT_EQ(answer, QByteArray("CMD_logininfo+3+2.0.10+Ann") + kEnd);
    EXPECT_EQ(lobby.received(0), "") << "nothing is sent on the lobby link";
}

TEST(Roles, TrueWithACapitalLetterJoinsInstead) {
    TestListener host(kGamePort), lobby(kLobbyPort);
    Program quivelo("quivelo");
    quivelo.start({"Ann", "127.0.0.1", "True", "extra"});
    ASSERT_TRUE(
        waitUntil([&] { return host.connections() == 1 && lobby.connections() == 1; }, 10000));
    spin(200);
    EXPECT_TRUE(quivelo.running());
    EXPECT_FALSE(quivelo.errors().contains("Listen")) << "it never tried to listen";
}

TEST(Roles, HostListensAndConnectsItsOwnClientWhateverTheAddress) {
    TestListener lobby(kLobbyPort);
    Program quivelo("quivelo");
    quivelo.start({"Ann", "10.255.255.1", "true"});
    ASSERT_TRUE(waitUntil([&] { return lobby.connections() == 1; }, 10000))
        << quivelo.errors().toStdString();
    TestClient second;
    ASSERT_TRUE(second.connectTo(kGamePort));
    // The hosting player's own client took seat 1, so a second connection gets seat 2.
    EXPECT_EQ(second.waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+2");
    spin(300);  // lets the hosting player's own login go first
    second.send("CMD_logininfo+2+2.0.10+Bob");
    EXPECT_EQ(second.waitFor("CMD_existingplayers"), "CMD_existingplayers+1+Ann");
}

TEST(Roles, SoloHostsAndLogsInAsYou) {
    TestListener lobby(kLobbyPort);
    Program quivelo("quivelo");
    quivelo.start({});
    TestClient other;
    ASSERT_TRUE(waitUntil([&] { return other.connectTo(kGamePort, 200); }, 10000));
    EXPECT_EQ(other.waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+2");
    spin(300);
    other.send("CMD_logininfo+2+2.0.10+Bob");
    EXPECT_EQ(other.waitFor("CMD_existingplayers"), "CMD_existingplayers+1+You");
    spin(200);
    EXPECT_EQ(lobby.connections(), 0) << "a solo game opens no lobby link";
}

TEST(Roles, OneOrTwoArgumentsDoNothing) {
    TestListener host(kGamePort), lobby(kLobbyPort);
    Program one("quivelo"), two("quivelo");
    one.start({"Ann"});
    two.start({"Ann", "127.0.0.1"});
    spin(1500);
    EXPECT_TRUE(one.running());
    EXPECT_TRUE(two.running());
    EXPECT_EQ(host.connections(), 0);
    EXPECT_EQ(lobby.connections(), 0);
}

TEST(Roles, ASecondCopyEndsWithoutConnecting) {
    TestListener host(kGamePort), lobby(kLobbyPort);
    Program first("quivelo");
    first.start({"Ann", "127.0.0.1", "false"});
    ASSERT_TRUE(waitUntil([&] { return host.connections() == 1; }, 10000));
    Program second("quivelo", first.runtimeDir());
    second.start({"Bob", "127.0.0.1", "false"});
    ASSERT_TRUE(second.waitForExit(5000));
    EXPECT_EQ(second.exitCode(), 0);
    spin(300);
    EXPECT_EQ(host.connections(), 1);
    EXPECT_EQ(lobby.connections(), 1);
    EXPECT_TRUE(first.running());
}

TEST(Roles, AFailedListenIsShownAndTheRestOfTheRoleIsSkipped) {
    TestListener occupied(kGamePort), lobby(kLobbyPort);
    Program quivelo("quivelo");
    quivelo.start({"Ann", "127.0.0.1", "true"});
    ASSERT_TRUE(waitUntil(
        [&] { return quivelo.errors().contains("Listen - Error Binding Socket"); }, 10000));
    spin(300);
    EXPECT_TRUE(quivelo.running()) << "the window stays open";
    EXPECT_EQ(occupied.connections(), 0) << "the client is not connected";
    EXPECT_EQ(lobby.connections(), 0) << "the lobby link is not opened";
}

TEST(Roles, AnUnknownHostNameIsShown) {
    TestListener lobby(kLobbyPort);
    Program quivelo("quivelo");
    quivelo.start({"Ann", "no-such-host.invalid", "false"});
    ASSERT_TRUE(waitUntil(
        [&] { return quivelo.errors().contains("Host Lookup - Could Not Find Host Entry"); },
        10000));
    EXPECT_TRUE(quivelo.running());
}

TEST(Roles, TheHostClosingTheConnectionEndsTheProgram) {
    TestListener host(kGamePort), lobby(kLobbyPort);
    Program quivelo("quivelo");
    quivelo.start({"Ann", "127.0.0.1", "false"});
    ASSERT_TRUE(waitUntil([&] { return host.connections() == 1; }, 10000));
    host.socket(0)->close();
    ASSERT_TRUE(quivelo.waitForExit(5000));
    EXPECT_EQ(quivelo.exitCode(), 0);
}

TEST(Roles, ABotJoiningASoloGameTakesSeatTwoFromVuzi) {
    Program quivelo("quivelo");
    quivelo.start({});
    TestClient probe;  // waits for the host to be up
    ASSERT_TRUE(waitUntil([&] { return probe.connectTo(kGamePort, 200); }, 10000));
    probe.socket().close();
    Program bot("quivelo-bot");
    bot.start({"--port", QString::number(kGamePort), "--name", "Robo"});
    ASSERT_TRUE(waitUntil([&] { return bot.output().contains("seat 1: You"); }, 10000))
        << bot.output().toStdString() << bot.errors().toStdString();
    // The probe left seat 2 free again, so the bot sits there in place of Vuzi.
    EXPECT_TRUE(bot.output().contains("Robo sits in seat 2"));
}
