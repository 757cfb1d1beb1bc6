// The host against clients that keep it busy, flood it, lie to it or vanish: it
// stays fair, relays only clean text of sensible size, and keeps the game going.
#include <QElapsedTimer>

#include "tests/host/hostfixture.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {

QByteArray lines(const QByteArray& line, int count) {
    QByteArray all;
    for (int i = 0; i < count; ++i)
        all += line + char(0xFF);
    return all;
}

void write(TestClient& c, const QByteArray& bytes) {
    c.socket().write(bytes);
    c.socket().flush();
}

int countOf(const QList<QByteArray>& messages, const QByteArray& prefix) {
    int n = 0;
    for (const QByteArray& m : messages)
        n += m.startsWith(prefix);
    return n;
}

}  // namespace

TEST_F(HostTest, ConnectionsKeepingManyRequestsWaitingDelayAPlayerByATickEach) {
    auto a = join("ann");
    std::vector<std::unique_ptr<TestClient>> spies;
    for (int i = 0; i < 5; ++i)
        spies.push_back(join(QString("spy%1").arg(i)));
    // Requests that are refused cost a tick each, as any other; each one is logged.
    for (int i = 0; i < 5; ++i)
        write(*spies[size_t(i)], lines(QString("CMD_placedice+%1+0+1+1").arg(i + 2).toUtf8(), 90));
    ASSERT_TRUE(waitUntil([&] { return log.count() > 10; }));
    const qsizetype before = log.count();
    a->send("CMD_chat+1+ping|clLime");
    ASSERT_EQ(a->waitFor("CMD_chat"), "CMD_chat+ann chats: ping|clLime");
    EXPECT_LT(log.count() - before, 20)
        << "the player waited for one tick per busy connection, not for 450 requests";
    ASSERT_TRUE(waitUntil([&] { return !server.socktimerActive(); }, 10000));
}

TEST_F(HostTest, AClosedConnectionsPlayIsDroppedButItsFirstChatLinesAreRelayed) {
    auto a = join("ann");
    auto b = join("bob");
    write(*b, lines("CMD_justwatch+2+1", 50) + lines("CMD_chat+2+See ya!|clAqua", 6));
    b->socket().abort();
    ASSERT_FALSE(a->waitFor("CMD_playerdisconnected").isEmpty());
    spin(200);
    const QList<QByteArray> seen = a->takeNew();
    EXPECT_LE(countOf(seen, "CMD_justwatching"), 2) << "its requests of play were dropped";
    EXPECT_EQ(seen.count("CMD_chat+bob chats: See ya!|clAqua"), 4) << "the first four lines";
    EXPECT_FALSE(server.socktimerActive());
}

TEST_F(HostTest, TheLinesOfManyClosedConnectionsAreBoundedTheNewestKept) {
    auto a = join("ann");
    std::vector<std::unique_ptr<TestClient>> leavers;
    for (int i = 0; i < 6; ++i)
        leavers.push_back(join(QString("l%1").arg(i)));
    a->takeNew(50);
    // Each keeps a line of play first, so its chat lines are still waiting when it closes.
    for (int i = 0; i < 6; ++i) {
        const QByteArray seat = QByteArray::number(i + 2);
        QByteArray burst = "CMD_justwatch+" + seat + "+9" + char(0xFF);
        for (int n = 1; n <= 4; ++n)
            burst +=
                "CMD_action+" + seat + "+waves " + QByteArray::number(n) + "|clRed" + char(0xFF);
        write(*leavers[size_t(i)], burst);
    }
    spin(5);  // all of it received, none of the chat handled yet
    for (auto& l : leavers)
        l->socket().abort();
    ASSERT_TRUE(waitUntil([&] { return !server.player(7).connected; }));
    spin(400);
    const int actions = countOf(a->takeNew(), "CMD_action+");
    EXPECT_LT(actions, 24) << "at most 20 wait; one may have been relayed before the last close";
    EXPECT_GE(actions, 16);
    EXPECT_TRUE(a->messages().contains("CMD_action+l5 waves 4|clRed")) << "the newest are kept";
}

TEST_F(HostTest, NamesAndChatLinesAreCutToSizesThatFitTheGame) {
    int seat = 0;
    auto a = connect(&seat);
    a->send(loginMessage(seat, QString(60 * 1024, 'n')));
    const QByteArray announced = a->waitFor("CMD_newplayerinfo");
    EXPECT_EQ(announced, "CMD_newplayerinfo+1+" + QByteArray(24, 'n'));
    auto b = join("bob");
    a->takeNew(30);
    b->send("CMD_chat+2+" + QByteArray(1024 - 7, 'x') + "|clLime");  // 1024 with its colour
    EXPECT_EQ(a->waitFor("CMD_chat").size(), qsizetype(9 + 11 + 1024));
    b->send("CMD_chat+2+" + QByteArray(1025 - 7, 'x') + "|clLime");
    b->send("CMD_chat+2+after|clLime");
    EXPECT_EQ(a->waitFor("CMD_chat"), "CMD_chat+bob chats: after|clLime")
        << "the line over 1024 characters was dropped";
    EXPECT_TRUE(log.contains("dropped a chat line from seat 2: over 1024 characters"));
}

TEST_F(HostTest, ACompleteMessageOver64KiBClosesTheConnectionToo) {
    auto a = join("ann");
    auto b = join("bob");
    write(*b, "CMD_chat+2+" + QByteArray(70 * 1024, 'x') + char(0xFF));
    ASSERT_TRUE(waitUntil([&] { return b->closedByPeer(); }));
    EXPECT_EQ(a->waitFor("CMD_playerdisconnected"), "CMD_playerdisconnected+2+bob");
    EXPECT_EQ(countOf(a->messages(), "CMD_chat"), 0);
    EXPECT_TRUE(log.contains("seat 2: a message over 64 KiB, closing the connection"));
}

TEST_F(HostTest, AChatFloodIsCutAfterFiveLinesAndOnlyTheSenderIsToldOnce) {
    auto a = join("ann");
    auto b = join("bob");
    a->takeNew(30);
    write(*b, lines("CMD_chat+2+la|clWhite", 12));
    spin(300);
    EXPECT_EQ(a->takeNew().count("CMD_chat+bob chats: la|clWhite"), 5);
    const QList<QByteArray> toBob = b->takeNew();
    EXPECT_EQ(toBob.count("CMD_chat+Too many lines; wait a moment.|clSilver"), 1);
    EXPECT_EQ(toBob.count("CMD_chat+bob chats: la|clWhite"), 5);
    EXPECT_TRUE(log.contains("seat 2: chat flood, dropping lines"));
    spin(600);  // two lines a second come back
    b->send("CMD_action+2+is back|clWhite");
    EXPECT_EQ(a->waitFor("CMD_action"), "CMD_action+bob is back|clWhite");
}

TEST_F(HostTest, ControlCharactersInChatBecomeBlanks) {
    auto a = join("ann");
    auto b = join("bob");
    b->send("CMD_chat+2+hi\nhoster chats: I quit\x7F|clWhite");
    EXPECT_EQ(a->waitFor("CMD_chat"), "CMD_chat+bob chats: hi hoster chats: I quit |clWhite");
    b->send("CMD_action+2+\rwaves\t|clWhite");
    EXPECT_EQ(a->waitFor("CMD_action"), "CMD_action+bob  waves |clWhite");
}

TEST_F(HostTest, AConnectionThatNeverLogsInIsClosed) {
    server.setLoginTimeout(150);
    auto a = join("ann");
    int seat = 0;
    auto silent = connect(&seat);
    ASSERT_EQ(seat, 2);
    ASSERT_TRUE(waitUntil([&] { return silent->closedByPeer(); }));
    EXPECT_FALSE(server.player(2).connected) << "the seat is free again";
    EXPECT_TRUE(log.contains("seat 2: no login within 10 s, closing the connection"));
    spin(200);
    EXPECT_FALSE(a->closedByPeer()) << "a player who logged in stays";
}

TEST_F(HostTest, ASecondLoginIsDroppedAndNamesNeverClash) {
    auto a = join("ann");
    a->send(loginMessage(1, "eve"));
    auto b = join("vuzi");
    EXPECT_EQ(server.player(1).name, "ann") << "the second login renamed nobody";
    EXPECT_EQ(server.player(2).name, "vuzi (2)");
    auto c = join("ANN");
    EXPECT_EQ(server.player(3).name, "ANN (3)");
    auto d = join(" \t ");
    EXPECT_EQ(server.player(4).name, "Player 4");
    auto e = join("Player 4");
    EXPECT_EQ(server.player(5).name, "Player 4 (5)");
    EXPECT_EQ(countOf(a->messages(), "CMD_newplayerinfo+1+"), 1);
    EXPECT_TRUE(log.contains("dropped a second login from seat 1"));
}

TEST_F(HostTest, DuringAGameOnlyTheCurrentSeatThrowsAndOnlyOnce) {
    auto a = join("ann");
    auto b = join("bob");
    b->send("CMD_throwdarts+2");
    EXPECT_FALSE(a->waitFor("CMD_thedart").isEmpty()) << "outside a game a throw is rolled";
    seedPick(4);  // ann's turn first
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(b->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    b->send("CMD_throwdarts+2");
    a->send("CMD_throwdarts+1");
    ASSERT_FALSE(b->waitFor("CMD_thedart").isEmpty());
    const std::array<int, 12> dice = server.turn().dice;
    a->send("CMD_throwdarts+1");
    a->send("CMD_placedice+1+1+1+1");
    ASSERT_FALSE(b->waitFor("CMD_placedice").isEmpty());
    EXPECT_EQ(countOf(b->messages(), "CMD_thedart"), 2) << "one roll in the game, one before";
    EXPECT_EQ(server.turn().dice, dice) << "nobody re-rolled the dice";
    EXPECT_TRUE(log.contains("dropped CMD_throwdarts from seat 2: not its throw"));
    EXPECT_TRUE(log.contains("dropped CMD_throwdarts from seat 1: not its throw"));
}

TEST_F(HostTest, ANewcomerInTheSeatWhoseTurnRunsSeesTheDiceAndFinishesTheTurn) {
    server.setComputerPlayInterval(60000);  // the computer does not take the turn over
    server.setRejoinHold(0);
    fixDice({1, 2, 1, 2, 1, 6, 6, 6, 5, 5, 5, 4});
    auto a = join("ann");
    auto b = join("bob");
    seedPick(1);  // bob's turn first
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(b->waitFor("CMD_nextplayer"), "CMD_nextplayer+2");
    b->send("CMD_throwdarts+2");
    for (int die = 1; die <= 3; ++die)
        b->send(QString("CMD_placedice+2+%1+2+%1").arg(die).toUtf8());
    ASSERT_TRUE(waitUntil([&] { return countOf(a->messages(), "CMD_placedice") == 3; }));
    b->socket().abort();
    ASSERT_TRUE(waitUntil([&] { return !server.player(2).connected; }));
    int seat = 0;
    auto c = connect(&seat);
    ASSERT_EQ(seat, 2);
    c->send(loginMessage(2, "cat"));
    ASSERT_FALSE(c->waitFor("CMD_nextplayer").isEmpty());
    QList<QByteArray> after;
    for (const QByteArray& m : c->messages())
        if (!m.startsWith("CMD_loadboard") && !m.startsWith("CMD_newplayerinfo") &&
            !m.startsWith("CMD_existingplayers") && !m.startsWith("CMD_sendlogininfo"))
            after << m;
    EXPECT_EQ(after, QList<QByteArray>({"CMD_thedart+1+2+1+2+1+6+6+6+5+5+5+4+",
                                        "CMD_placedice+2+1+1+2+1", "CMD_placedice+2+3+2+2+2",
                                        "CMD_placedice+2+4+3+2+3", "CMD_nextplayer+2"}));
    c->send("CMD_autoplace+2");
    EXPECT_EQ(a->waitFor("CMD_endturn").left(15), "CMD_endturn+2+0");
}

TEST_F(HostTest, TheComputerThrowsTwoTicksAfterItsTurnStartsNeverEarlier) {
    constexpr int kInterval = 400;
    server.setComputerPlayInterval(kInterval);
    auto a = join("ann");
    seedPick(1);  // Vuzi's turn first
    QElapsedTimer clock;
    clock.start();
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+2");
    ASSERT_FALSE(a->waitFor("CMD_thedart").isEmpty());
    EXPECT_GE(clock.elapsed(), 2 * kInterval);
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    EXPECT_FALSE(server.computerplayActive()) << "a human turn: no timer";
}

TEST_F(HostTest, APlayerWhoDropsOutOfAGameComesBackToHisSeatAndCard) {
    auto a = join("ann");
    auto b = join("bob");
    auto c = join("cat");
    seedPick(4);  // ann first
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+1");
    a->send("CMD_throwdarts+1");
    a->send("CMD_autoplace+1");
    ASSERT_FALSE(a->waitFor("CMD_endturn+1").isEmpty());
    c->socket().abort();
    ASSERT_TRUE(waitUntil([&] { return !server.player(3).connected; }));

    int seat = 0;
    auto d = connect(&seat);
    EXPECT_EQ(seat, 4) << "seat 3 is kept while another is free";
    d->send(loginMessage(seat, "dan"));
    ASSERT_FALSE(d->waitFor("CMD_newplayerinfo+4+dan").isEmpty());

    auto back = connect(&seat);
    ASSERT_EQ(seat, 5);
    a->takeNew(30);
    back->send(loginMessage(5, "CAT"));
    EXPECT_EQ(back->waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+3")
        << "asked again, for its own seat";
    back->send(loginMessage(3, "CAT"));
    ASSERT_FALSE(back->waitFor("CMD_newplayerinfo+3+CAT").isEmpty());
    EXPECT_FALSE(server.player(5).connected);
    EXPECT_EQ(server.player(3).name, "CAT");
    EXPECT_FALSE(back->waitFor("CMD_loadboard+3+").isEmpty()) << "its card, as a late joiner";
    const QList<QByteArray> toAnn = a->takeNew(50);
    EXPECT_EQ(countOf(toAnn, "CMD_newplayerinfo"), 1) << "announced once, in seat 3";
    EXPECT_TRUE(toAnn.contains("CMD_newplayerinfo+3+CAT"));
}

TEST_F(HostTest, AKeptSeatIsFreedAfterItsTimeOrByANewGame) {
    server.setRejoinHold(100);
    auto a = join("ann");
    auto b = join("bob");
    a->send("CMD_startgame+1+n");
    ASSERT_FALSE(a->waitFor("CMD_nextplayer").isEmpty());
    b->socket().abort();
    ASSERT_TRUE(waitUntil([&] { return !server.player(2).connected; }));
    int seat = 0;
    auto c = connect(&seat);
    EXPECT_EQ(seat, 3);
    spin(150);
    auto d = connect(&seat);
    EXPECT_EQ(seat, 2) << "two minutes (here 100 ms) later, the seat is anybody's";

    server.setRejoinHold(60000);
    d->send(loginMessage(2, "dan"));
    ASSERT_FALSE(d->waitFor("CMD_newplayerinfo+2+dan").isEmpty());
    d->socket().abort();
    ASSERT_TRUE(waitUntil([&] { return !server.player(2).connected; }));
    a->send("CMD_startgame+1+n");
    ASSERT_FALSE(a->waitFor("CMD_startgame").isEmpty());
    spin(30);
    auto e = connect(&seat);
    EXPECT_EQ(seat, 2) << "a new game forgets who left the last one";
}
