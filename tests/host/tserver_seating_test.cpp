// The host's seating over real TCP connections: seats, logins, late joiners,
// departures and the checks on who may speak for a seat.
#include "tests/host/hostfixture.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

TEST_F(HostTest, SeatsAreHandedOutLowestFreeFirst) {
    int s1 = 0, s2 = 0, s3 = 0, again = 0;
    auto a = connect(&s1);
    auto b = connect(&s2);
    auto c = connect(&s3);
    EXPECT_EQ(std::vector<int>({s1, s2, s3}), std::vector<int>({1, 2, 3}));
    b->socket().close();
    ASSERT_TRUE(waitUntil([&] { return !server.player(2).connected; }));
    auto d = connect(&again);
    EXPECT_EQ(again, 2) << "a free seat is reused before a new one";
    EXPECT_EQ(server.sockcount(), 3);
}

TEST_F(HostTest, TheTenthConnectionIsRefused) {
    std::vector<std::unique_ptr<TestClient>> nine;
    for (int i = 0; i < 9; ++i)
        nine.push_back(join(QString("p%1").arg(i + 1)));
    for (auto& c : nine)
        c->takeNew(20);
    TestClient tenth;
    // The host closes it at once, so it may never be seen as connected.
    tenth.socket().connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return tenth.closedByPeer(); }));
    EXPECT_EQ(tenth.messages(), QList<QByteArray>({"CMD_full+"}));
    EXPECT_EQ(server.sockcount(), 9);
    for (auto& c : nine)
        EXPECT_TRUE(c->takeNew(20).isEmpty()) << "the nine notice nothing";
}

TEST_F(HostTest, LoginIsAnnouncedToAllAndTheNewcomerLearnsWhoIsThere) {
    auto a = join("ann");
    int seat = 0;
    auto b = connect(&seat);
    auto c = join("cat");  // seat 3, logged in before b
    b->takeNew(30);        // cat's arrival reached b too
    c->takeNew();
    a->takeNew();
    b->send(loginMessage(seat, "bob"));
    ASSERT_TRUE(b->waitForNew(3));
    EXPECT_EQ(b->takeNew(50),
              QList<QByteArray>({"CMD_newplayerinfo+2+bob", "CMD_existingplayers+1+ann",
                                 "CMD_existingplayers+3+cat"}));
    EXPECT_EQ(a->takeNew(), QList<QByteArray>({"CMD_newplayerinfo+2+bob"}));
    EXPECT_EQ(c->takeNew(), QList<QByteArray>({"CMD_newplayerinfo+2+bob"}));
}

TEST_F(HostTest, ExistingPlayersSkipFreeSeats) {
    auto a = join("ann");
    auto b = join("bob");
    auto c = join("cat");
    auto d = join("dan");
    b->socket().close();
    c->socket().close();
    ASSERT_TRUE(
        waitUntil([&] { return !server.player(2).connected && !server.player(3).connected; }));
    int seat = 0;
    auto e = connect(&seat);
    ASSERT_EQ(seat, 2);
    e->send(loginMessage(2, "eve"));
    ASSERT_TRUE(e->waitForNew(3));
    EXPECT_EQ(e->takeNew(50),
              QList<QByteArray>({"CMD_newplayerinfo+2+eve", "CMD_existingplayers+1+ann",
                                 "CMD_existingplayers+4+dan"}));
}

TEST_F(HostTest, AWrongVersionIsReportedButTheNewcomerPlays) {
    auto a = join("ann");
    int seat = 0;
    auto b = connect(&seat);
    b->send(loginMessage(seat, "bob", "2.0.9"));
    EXPECT_EQ(b->waitFor("CMD_wrongversion"), "CMD_wrongversion+");
    EXPECT_EQ(a->waitFor("CMD_havewrongversion"), "CMD_havewrongversion+bob");
    b->send("CMD_chat+2+hi|clLime");
    EXPECT_EQ(a->waitFor("CMD_chat"), "CMD_chat+bob chats: hi|clLime");
}

TEST_F(HostTest, ALoginNameKeepsItsPlusSignsAndLosesControlCharacters) {
    int seat = 0;
    auto a = connect(&seat);
    a->send(QByteArray("CMD_logininfo+1+2.0.10+A+B\r\n\x7F\x01z"));
    EXPECT_EQ(a->waitFor("CMD_newplayerinfo"), "CMD_newplayerinfo+1+A+Bz");
    EXPECT_EQ(server.player(1).name, "A+Bz");
}

TEST_F(HostTest, LateJoinersReceiveTheBoardOfEverySeatTakingPart) {
    auto a = join("ann");
    a->send("CMD_startgame+1+n");
    ASSERT_FALSE(a->waitFor("CMD_nextplayer").isEmpty());
    // Seat 2 is the computer's so far: a newcomer there gets seats 1 and 2.
    int seat = 0;
    auto b = connect(&seat);
    b->send(loginMessage(seat, "bob"));
    ASSERT_TRUE(b->waitForNew(16));
    int boards = 0;
    for (const QByteArray& m : b->takeNew(100))
        boards += m.startsWith("CMD_loadboard+");
    EXPECT_EQ(boards, 14);

    auto c = connect(&seat);
    c->send(loginMessage(seat, "cat"));
    ASSERT_TRUE(c->waitForNew(24));
    QList<QByteArray> boardsForC;
    for (const QByteArray& m : c->takeNew(100))
        if (m.startsWith("CMD_loadboard+")) boardsForC << m;
    ASSERT_EQ(boardsForC.size(), 21) << "its own seat included";
    EXPECT_EQ(boardsForC.first(), "CMD_loadboard+1+15+0+0");
    EXPECT_EQ(boardsForC.last(), "CMD_loadboard+3+21+0+0");

    auto d = connect(&seat);
    d->send(loginMessage(seat, "dan"));
    ASSERT_TRUE(d->waitForNew(32));
    int boardsForD = 0;
    for (const QByteArray& m : d->takeNew(100))
        boardsForD += m.startsWith("CMD_loadboard+");
    EXPECT_EQ(boardsForD, 28);
}

TEST_F(HostTest, TakingSeatTwoWhileTheComputersThrowWaitsGivesTheTurnToTheNewcomer) {
    server.setComputerPlayInterval(60000);  // the computer never gets to throw here
    auto a = join("ann");
    seedPick(1);  // so the first turn is seat 2's
    a->send("CMD_startgame+1+n");
    ASSERT_EQ(a->waitFor("CMD_nextplayer"), "CMD_nextplayer+2");
    int seat = 0;
    auto b = connect(&seat);
    ASSERT_EQ(seat, 2);
    b->send(loginMessage(2, "bob"));
    QByteArray turn = b->waitFor("CMD_nextplayer");
    EXPECT_EQ(turn, "CMD_nextplayer+2");
    b->send("CMD_throwdarts+2");
    EXPECT_FALSE(b->waitFor("CMD_thedart").isEmpty());
    b->send("CMD_autoplace+2");
    EXPECT_FALSE(b->waitFor("CMD_endturn+2+").isEmpty());
}

TEST_F(HostTest, AConnectionMaySpeakOnlyForItsOwnSeat) {
    auto a = join("ann");
    auto b = join("bob");
    a->takeNew();
    b->send("CMD_chat+1+I am ann|clRed");  // seat 1 is not b's
    b->send("CMD_logininfo+1+2.0.10+mallory");
    b->send("CMD_startgame+2+n");  // only seat 1 starts games
    b->send("CMD_chat+2+honest|clRed");
    EXPECT_EQ(a->waitFor("CMD_"), "CMD_chat+bob chats: honest|clRed");
    EXPECT_TRUE(a->takeNew(50).isEmpty());
    EXPECT_EQ(server.player(1).name, "ann");
    EXPECT_FALSE(server.gameon());
}

TEST_F(HostTest, RequestsOutsideTheirRangesAreDroppedWithoutHarm) {
    auto a = join("ann");
    for (const char* bad :
         {"CMD_chat+0+x|clRed", "CMD_chat+10+x|clRed", "CMD_chat+-1+x|clRed", "CMD_throwdarts+x",
          "CMD_placedice+1+13+1+1", "CMD_placedice+1+1+0+1", "CMD_placedice+1+1+1+5",
          "CMD_placedice+1+x+1+1", "CMD_nosuch+1", "", "nonsense"})
        a->send(bad);
    a->send("CMD_chat+1+still here|clRed");
    EXPECT_EQ(a->waitFor("CMD_"), "CMD_chat+ann chats: still here|clRed");
    EXPECT_TRUE(a->takeNew(50).isEmpty());
}

TEST_F(HostTest, AFloodingConnectionIsClosedAndAnnounced) {
    auto a = join("ann");
    auto b = join("bob");
    a->takeNew();
    QByteArray flood;
    for (int i = 0; i < 150; ++i)
        flood += QByteArray("CMD_chat+2+spam|clRed") + char(0xFF);
    b->socket().write(flood);
    b->socket().flush();
    ASSERT_TRUE(waitUntil([&] { return b->closedByPeer(); }));
    EXPECT_EQ(a->waitFor("CMD_playerdisconnected"), "CMD_playerdisconnected+2+bob");
    spin(150);
    EXPECT_EQ(a->messages().count("CMD_chat+bob chats: spam|clRed"), 4)
        << "of what the flood queued, only the first four lines are relayed";
    EXPECT_TRUE(log.contains("seat 2: more than 100 messages waiting, closing the connection"));
}

TEST_F(HostTest, AnUnfinishedMessageOver64KiBClosesTheConnection) {
    auto a = join("ann");
    auto b = join("bob");
    b->socket().write(QByteArray("CMD_chat+2+") + QByteArray(70 * 1024, 'x'));
    b->socket().flush();
    ASSERT_TRUE(waitUntil([&] { return b->closedByPeer(); }));
    EXPECT_EQ(a->waitFor("CMD_playerdisconnected"), "CMD_playerdisconnected+2+bob");
}

TEST_F(HostTest, AMessageSplitAcrossReadsArrivesWhole) {
    auto a = join("ann");
    a->socket().write("CMD_chat+1+hel");
    a->socket().flush();
    spin(50);
    a->socket().write(QByteArray("lo|clRed") + char(0xFF));
    EXPECT_EQ(a->waitFor("CMD_chat"), "CMD_chat+ann chats: hello|clRed");
}

TEST_F(HostTest, RemovingAWatcherTellsEveryoneElse) {
    std::vector<std::unique_ptr<TestClient>> c;
    for (int i = 1; i <= 6; ++i)
        c.push_back(join(QString("p%1").arg(i)));
    for (auto& x : c)
        x->takeNew(10);
    server.disconnectsock(6);
    ASSERT_TRUE(waitUntil([&] { return c[5]->closedByPeer(); }));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c[size_t(i)]->waitFor("CMD_"), "CMD_playerdisconnected+6+p6");
    server.disconnectsock(6);  // gone already: nothing happens
    server.disconnectsock(42);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(c[size_t(i)]->takeNew(30).isEmpty());
}

TEST_F(HostTest, AnIdleHostArmsNoTimer) {
    auto a = join("ann");
    spin(50);
    EXPECT_FALSE(server.socktimerActive());
    EXPECT_FALSE(server.computerplayActive());
}
