// The host's game over real TCP connections: starts, turns, the computer's play,
// just watching, departures during a turn, winners and the chat relay.
#include "host/random.h"
#include "tests/host/hostfixture.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {
const std::vector<int> kRoll = {3, 1, 5, 2, 6, 2, 4, 1, 6, 5, 3, 4};

QList<QByteArray> startingWith(const QList<QByteArray>& all, const char* prefix) {
    QList<QByteArray> out;
    for (const QByteArray& m : all)
        if (m.startsWith(prefix)) out << m;
    return out;
}
}  // namespace

TEST_F(HostTest, ASoloStartAnnouncesTheGameAndTheFirstTurn) {
    auto a = join("ann");
    a->send("CMD_startgame+1+t");  // a team game needs all four seats
    ASSERT_TRUE(a->waitForNew(2));
    const QList<QByteArray> got = a->takeNew(30);
    ASSERT_GE(got.size(), 2);
    EXPECT_EQ(got[0], "CMD_startgame+1+n");
    EXPECT_TRUE(got[1] == "CMD_nextplayer+1" || got[1] == "CMD_nextplayer+2")
        << got[1].toStdString();
    EXPECT_TRUE(server.gameon());
    EXPECT_FALSE(server.teamgame());
}

TEST_F(HostTest, TheComputerPlaysItsTurnAsFifteenMessages) {
    auto a = join("ann");
    seedPick(1);
    fixDice(kRoll);
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+2");
    ASSERT_TRUE(a->waitForNew(15, 3000));
    EXPECT_EQ(a->takeNew(30), QList<QByteArray>({
                                  "CMD_thedart+3+1+5+2+6+2+4+1+6+5+3+4+",
                                  "CMD_placedice+2+1+2+1+1",
                                  "CMD_placedice+2+3+4+1+2",
                                  "CMD_placedice+2+5+6+1+3",
                                  "CMD_placedice+2+6+8+1+4",
                                  "CMD_placedice+2+3+1+2+1",
                                  "CMD_placedice+2+8+3+2+2",
                                  "CMD_placedice+2+14+5+2+3",
                                  "CMD_placedice+2+18+7+2+4",
                                  "CMD_placedice+2+6+9+3+1",
                                  "CMD_placedice+2+11+10+3+2",
                                  "CMD_placedice+2+14+11+3+3",
                                  "CMD_placedice+2+18+12+3+4",
                                  "CMD_endturn+2+0+6+18+18",
                                  "CMD_nextplayer+1",
                              }));
    EXPECT_EQ(server.player(2).mark(18), 2);
    EXPECT_FALSE(server.computerplayActive()) << "a person's turn keeps no timer";
}

TEST_F(HostTest, APlayersTurnFromThrowToTheNextTurn) {
    server.setComputerPlayInterval(60000);
    auto a = join("ann");
    seedPick(4);  // 4 -> the first turn is seat 1's
    fixDice({6, 6, 6, 6, 5, 5, 5, 5, 1, 1, 1, 1});
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    a->send("CMD_placedice+1+1+1+1");  // before the throw: refused
    a->send("CMD_throwdarts+1");
    EXPECT_EQ(a->waitFor("CMD_thedart"), "CMD_thedart+6+6+6+6+5+5+5+5+1+1+1+1+");
    a->send("CMD_placedice+1+1+1+1");
    EXPECT_EQ(a->waitFor("CMD_placedice"), "CMD_placedice+1+6+1+1+1");
    a->send("CMD_placedice+1+1+1+2");  // die 1 again: refused
    a->send("CMD_placedice+1+2+1+1");  // position taken: refused
    a->send("CMD_placedice+1+2+1+2");
    EXPECT_EQ(a->waitFor("CMD_placedice"), "CMD_placedice+1+12+2+1+2");
    EXPECT_TRUE(a->takeNew(40).isEmpty());
    for (int die = 3; die <= 12; ++die) {
        const int slot = die;  // dice 3..12 into slots 3..12
        a->send(QString("CMD_placedice+1+%1+%2+%3")
                    .arg(die)
                    .arg((slot - 1) / 4 + 1)
                    .arg((slot - 1) % 4 + 1)
                    .toUtf8());
    }
    ASSERT_TRUE(a->waitForNew(12));
    const QList<QByteArray> rest = a->takeNew(40);
    ASSERT_EQ(rest.size(), 12);
    EXPECT_EQ(rest[1], "CMD_placedice+1+dBull+4+1+4");
    EXPECT_EQ(rest[9], "CMD_placedice+1+4+12+3+4");
    EXPECT_EQ(rest[10], "CMD_endturn+1+0+dBull+20+4");
    EXPECT_EQ(rest[11], "CMD_nextplayer+2");
    EXPECT_EQ(server.player(1).mark(21), 2);
    EXPECT_EQ(server.player(1).mark(20), 1);
}

TEST_F(HostTest, PlacingForAnotherSeatSendsNothing) {
    auto a = join("ann");
    auto b = join("bob");
    seedPick(4);
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(b->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    a->send("CMD_throwdarts+1");
    ASSERT_FALSE(b->waitFor("CMD_thedart").isEmpty());
    b->send("CMD_placedice+2+1+1+1");
    b->send("CMD_autoplace+2");
    EXPECT_TRUE(b->takeNew(60).isEmpty());
    EXPECT_EQ(server.player(1).placed, 0);
}

TEST_F(HostTest, JustWatchingAfterFiveDicePlacesTheRestInTheAutomaticOrder) {
    server.setComputerPlayInterval(60000);
    auto a = join("ann");
    seedPick(4);
    fixDice(kRoll);
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    a->send("CMD_throwdarts+1");
    ASSERT_FALSE(a->waitFor("CMD_thedart").isEmpty());
    for (int die = 12; die >= 8; --die) {
        const int slot = 13 - die;  // dice 12..8 into slots 1..5
        a->send(QString("CMD_placedice+1+%1+%2+%3")
                    .arg(die)
                    .arg((slot - 1) / 4 + 1)
                    .arg((slot - 1) % 4 + 1)
                    .toUtf8());
    }
    ASSERT_TRUE(a->waitForNew(5));
    a->takeNew(20);
    a->send("CMD_justwatch+1+1");
    ASSERT_TRUE(a->waitForNew(10));
    const QList<QByteArray> got = a->takeNew(50);
    ASSERT_GE(got.size(), 10);
    EXPECT_EQ(got[0], "CMD_justwatching+1+1");
    // Dart 2 still has three empty positions; the low dice go nowhere else.
    EXPECT_EQ(startingWith(got, "CMD_placedice+1+"),
              QList<QByteArray>({"CMD_placedice+1+4+1+2+2", "CMD_placedice+1+5+2+2+3",
                                 "CMD_placedice+1+10+3+2+4", "CMD_placedice+1+2+4+3+1",
                                 "CMD_placedice+1+8+5+3+2", "CMD_placedice+1+10+6+3+3",
                                 "CMD_placedice+1+14+7+3+4"}));
    EXPECT_FALSE(startingWith(got, "CMD_endturn+1+").isEmpty());
}

TEST_F(HostTest, JustWatchingBeforeTheThrowPlaysTheWholeTurn) {
    auto a = join("ann");
    auto b = join("bob");
    seedPick(4);
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    server.setComputerPlayInterval(60000);
    a->send("CMD_justwatch+1+1");
    ASSERT_TRUE(b->waitForNew(18));
    const QList<QByteArray> got = b->takeNew(50);
    EXPECT_EQ(got[0], "CMD_startgame+1+n");
    EXPECT_EQ(got[1], "CMD_nextplayer+1");
    EXPECT_EQ(got[2], "CMD_justwatching+1+1");
    EXPECT_TRUE(got[3].startsWith("CMD_thedart+"));
    EXPECT_EQ(startingWith(got, "CMD_placedice").size(), 12);
    EXPECT_EQ(got.last(), "CMD_nextplayer+2");
    a->send("CMD_justwatch+1+7");  // neither switch: nothing
    a->send("CMD_justwatch+1+2");
    EXPECT_EQ(b->waitFor("CMD_justwatching"), "CMD_justwatching+1+2");
}

TEST_F(HostTest, ANewGameClearsCardsAndWatching) {
    auto a = join("ann");
    seedPick(1);
    fixDice(kRoll);
    a->send("CMD_startgame+1+n");
    ASSERT_FALSE(a->waitFor("CMD_endturn+2+").isEmpty());  // the computer marked 18 twice
    a->send("CMD_justwatch+1+1");
    ASSERT_FALSE(a->waitFor("CMD_justwatching").isEmpty());
    server.setComputerPlayInterval(60000);
    a->send("CMD_startgame+1+n");
    ASSERT_FALSE(a->waitFor("CMD_startgame").isEmpty());
    EXPECT_EQ(server.player(2).mark(18), 0);
    EXPECT_FALSE(server.player(1).justwatching);
}

TEST_F(HostTest, ATeamGameEndsEachTurnForBothPartners) {
    auto a = join("ann");
    auto b = join("bob");
    auto c = join("cat");
    auto d = join("dan");
    seedPick(4);
    a->send("CMD_startgame+1+t");
    EXPECT_EQ(c->waitFor("CMD_startgame"), "CMD_startgame+1+t");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    a->send("CMD_throwdarts+1");
    a->send("CMD_autoplace+1");
    const QByteArray first = c->waitFor("CMD_endturn");
    const QByteArray second = c->waitFor("CMD_endturn");
    ASSERT_TRUE(first.startsWith("CMD_endturn+1+"));
    EXPECT_EQ(second, "CMD_endturn+3+" + first.mid(14));
    EXPECT_EQ(server.player(3).marks, server.player(1).marks);
}

TEST_F(HostTest, SeatThreeLeavingOnItsTurnPassesTheTurnOn) {
    auto a = join("ann");
    auto b = join("bob");
    auto c = join("cat");
    seedPick(2);  // 2 -> the first turn is seat 3's
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+3");
    c->socket().close();
    EXPECT_EQ(a->waitFor("CMD_"), "CMD_playerdisconnected+3+cat");
    EXPECT_EQ(a->waitFor("CMD_"), "CMD_nextplayer+1");
}

TEST_F(HostTest, SeatOneLeavingOnItsTurnPassesTheTurnOnToo) {
    auto a = join("ann");
    auto b = join("bob");
    seedPick(4);
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(b->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    a->socket().close();
    EXPECT_EQ(b->waitFor("CMD_"), "CMD_playerdisconnected+1+ann");
    EXPECT_EQ(b->waitFor("CMD_"), "CMD_nextplayer+2");
}

TEST_F(HostTest, TheComputerFinishesTheTurnOfASeatTwoPlayerWhoLeaves) {
    auto a = join("ann");
    auto b = join("bob");
    seedPick(1);
    fixDice(kRoll);
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+2");
    b->send("CMD_throwdarts+2");
    b->send("CMD_placedice+2+12+1+1");
    b->send("CMD_placedice+2+11+1+2");
    ASSERT_FALSE(a->waitFor("CMD_placedice+2+7+11+1+2").isEmpty());
    b->socket().close();
    EXPECT_EQ(a->waitFor("CMD_"), "CMD_playerdisconnected+2+bob");
    // Rolled again; the two filled positions keep their dice.
    ASSERT_TRUE(a->waitForNew(13, 3000));
    const QList<QByteArray> got = a->takeNew(30);
    EXPECT_TRUE(got[0].startsWith("CMD_thedart+"));
    EXPECT_EQ(startingWith(got, "CMD_placedice").size(), 10);
    EXPECT_EQ(got.last(), "CMD_nextplayer+1");
}

TEST_F(HostTest, ASoloGameOfAJustWatchingPlayerRunsToAWinner) {
    auto a = join("ann");
    a->send("CMD_justwatch+1+1");
    ASSERT_FALSE(a->waitFor("CMD_justwatching").isEmpty());
    a->send("CMD_startgame+1+n");
    ASSERT_FALSE(a->waitFor("CMD_startgame").isEmpty());
    // Start clears just watching; switch it on again for the whole game.
    a->send("CMD_justwatch+1+1");
    const QByteArray winner = a->waitFor("CMD_winner+", 60000);
    ASSERT_FALSE(winner.isEmpty());
    EXPECT_FALSE(server.gameon());
    EXPECT_EQ(server.currentplayer(), 0);
    if (winner == "CMD_winner+ann and Vuzi") {  // everything closed, the scores tied
        EXPECT_EQ(server.player(1).score, server.player(2).score);
    } else {
        ASSERT_TRUE(winner == "CMD_winner+ann" || winner == "CMD_winner+Vuzi")
            << winner.toStdString();
        const int w = winner == "CMD_winner+ann" ? 1 : 2;
        EXPECT_TRUE(server.player(w).allClosed());
        EXPECT_GT(server.player(w).score, server.player(3 - w).score);
    }
    // No seat is current now: the computer's timer finds nothing to do and stops.
    ASSERT_TRUE(waitUntil([&] { return !server.computerplayActive(); }, 2000));

    // After a win a placement is refused but a throw is still rolled.
    a->send("CMD_autoplace+1");
    a->send("CMD_throwdarts+1");
    EXPECT_FALSE(a->waitFor("CMD_").isEmpty());
    EXPECT_TRUE(startingWith(a->takeNew(50), "CMD_placedice").isEmpty());
}

TEST_F(HostTest, ChatAndActionsAreRelayedWithTheSendersName) {
    auto a = join("ann");
    auto b = join("bob");
    auto c = join("ace");
    c->send("CMD_chat+3+hello|clRed");
    c->send("CMD_action+3+waves + grins|$00123456");
    for (auto* x : {a.get(), b.get(), c.get()}) {
        EXPECT_EQ(x->waitFor("CMD_chat"), "CMD_chat+ace chats: hello|clRed");
        EXPECT_EQ(x->waitFor("CMD_action"), "CMD_action+ace waves + grins|$00123456");
    }
}

TEST_F(HostTest, AGameThatCanNoLongerBeWonEndsWithTheTiedPlayers) {
    // Each player closes three different numbers a turn, never scoring: after seven
    // turns each, everything is closed at 0 to 0.
    const std::vector<std::vector<int>> darts = {
        {3, 3, 3, 6, 4, 4, 4, 4, 5, 4, 4, 4},  // 15 16 17
        {6, 4, 4, 4, 6, 5, 4, 4, 5, 5, 5, 5},  // 18 19 20
        {6, 5, 5, 5, 3, 3, 3, 6, 4, 4, 4, 4},  // Bull 15 16
        {5, 4, 4, 4, 6, 4, 4, 4, 6, 5, 4, 4},  // 17 18 19
        {5, 5, 5, 5, 6, 5, 5, 5, 3, 3, 3, 6},  // 20 Bull 15
        {4, 4, 4, 4, 5, 4, 4, 4, 6, 4, 4, 4},  // 16 17 18
        {6, 5, 4, 4, 5, 5, 5, 5, 6, 5, 5, 5},  // 19 20 Bull
    };
    int rolls = 0;
    server.setRoll([&](rules::TurnState& turn) {
        const std::vector<int>& d = darts[size_t(rolls++ / 2) % darts.size()];
        for (int i = 0; i < rules::kDice; ++i)
            turn.dice[size_t(i)] = d[size_t(i)];
    });
    auto a = join("ann");
    seedPick(4);  // ann first, then Vuzi
    a->send("CMD_startgame+1+n");
    ASSERT_FALSE(a->waitFor("CMD_startgame").isEmpty());
    a->send("CMD_justwatch+1+1");
    EXPECT_EQ(a->waitFor("CMD_winner", 20000), "CMD_winner+ann and Vuzi");
    EXPECT_EQ(rolls, 14);
    EXPECT_FALSE(server.gameon());
}
