// The window's seating and dispatch against a host played by the test.
#include <QAction>
#include <QLabel>

#include "client/startup.h"
#include "client/tchat.h"
#include "client/tspylist.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

TEST_F(FakeHostTest, LoginAnswerAndArrivals) {
    createWindows({"Ann", "127.0.0.1", "false"});
    w().startup().setGamePort(host.serverPort());
    EXPECT_FALSE(state().loggedin);
    w().show();
    ASSERT_TRUE(waitUntil([&] { return host.hasPendingConnections(); }));
    link = host.nextPendingConnection();
    EXPECT_TRUE(requests(100).isEmpty()) << "the host speaks first";
    hostSends("CMD_sendlogininfo+3");
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_logininfo+3+2.0.10+Ann"}));
    EXPECT_EQ(state().myseat, 3);
    EXPECT_TRUE(state().loggedin);

    hostSendsAll(
        {"CMD_newplayerinfo+3+Ann", "CMD_existingplayers+1+Bob", "CMD_existingplayers+2+Cy+D"});
    EXPECT_EQ(text("label_playername1"), "Bob");
    EXPECT_EQ(text("label_playername2"), "Cy+D") << "a name is the last field";
    EXPECT_EQ(text("label_playername3"), "Ann");
    EXPECT_EQ(text("label_playername4"), "<Waiting>");
    EXPECT_EQ(chatLines().mid(1),
              QStringList({"You are Connected.", "Bob is Connected.", "Cy+D is Connected."}));
}

TEST_F(FakeHostTest, AHostThatMovesAReturningPlayerAsksAgainAndIsAnswered) {
    // A player coming back gets a new seat first; the host moves him to his old one.
    joinAs("Ann", 5);
    hostSendsAll({"CMD_sendlogininfo+3"});
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_logininfo+3+2.0.10+Ann"}));
    hostSendsAll(
        {"CMD_newplayerinfo+3+Ann", "CMD_existingplayers+1+Bob", "CMD_loadboard+3+20+2+40"});
    EXPECT_EQ(state().myseat, 3);
    EXPECT_EQ(text("label_playername3"), "Ann");
    EXPECT_TRUE(set->windows.spylist->entries().isEmpty()) << "never listed as a spy";
    hostSendsAll({"CMD_nextplayer+3"});
    EXPECT_EQ(text("label_turn"), "Your Turn.");
}

TEST_F(FakeHostTest, DeparturesPutBackVuziOrWaiting) {
    joinAs("Ann", 1);
    hostSendsAll({"CMD_newplayerinfo+1+Ann", "CMD_newplayerinfo+2+Bob", "CMD_newplayerinfo+3+Cat"});
    w().control<QWidget>("image_eyes", 3)->show();
    const int before = int(chatLines().size());
    hostSendsAll({"CMD_playerdisconnected+2+Bob", "CMD_playerdisconnected+3+Cat",
                  "CMD_playerdisconnected+2+Bob"});
    EXPECT_EQ(text("label_playername2"), "Vuzi");
    EXPECT_EQ(text("label_playername3"), "<Waiting>");
    EXPECT_FALSE(visible("image_eyes3"));
    EXPECT_EQ(chatLines().mid(before), QStringList({"Bob disconnected.", "Cat disconnected."}))
        << "a seat that already reads Vuzi shows no notice";
    EXPECT_TRUE(w().isVisible());
}

TEST_F(FakeHostTest, SpiesAreListedBySeat) {
    joinAs("Ann", 6);
    hostSendsAll(
        {"CMD_newplayerinfo+6+Ann", "CMD_existingplayers+1+Bob", "CMD_existingplayers+5+Eve"});
    Tspylist* spies = set->windows.spylist;
    EXPECT_EQ(spies->entries(), QStringList({"6: Ann", "5: Eve"}));
    EXPECT_EQ(text("label_playername1"), "Bob");
    const QStringList lines = chatLines();
    EXPECT_TRUE(lines.contains("You are spying."));
    EXPECT_TRUE(lines.contains("Eve is spying."));
    EXPECT_EQ(lines.indexOf("You are spying."), lines.indexOf("You are Connected.") + 1);
    hostSendsAll({"CMD_playerdisconnected+7+Nobody", "CMD_playerdisconnected+5+Eve"});
    EXPECT_EQ(spies->entries(), QStringList({"6: Ann"}));
    EXPECT_TRUE(chatLines().contains("Eve has left."));
    EXPECT_FALSE(chatLines().contains("Nobody has left."));
}

TEST_F(FakeHostTest, BoardRestoreForALateJoiner) {
    joinAs("Ann", 3);
    hostSendsAll(
        {"CMD_loadboard+3+21+2+007", "CMD_loadboard+1+21+3+40", "CMD_loadboard+1+15+1+40"});
    EXPECT_EQ(state().cardmarks[2][6], 2);
    EXPECT_EQ(state().cardmarks[0][6], 3);
    EXPECT_EQ(state().cardmarks[0][0], 1);
    EXPECT_EQ(text("label_score3"), "007") << "the score as received";
    EXPECT_EQ(text("label_score1"), "40");
}

TEST_F(FakeHostTest, VersionNotices) {
    joinAs("Ann", 1);
    hostSendsAll({"CMD_havewrongversion+Bob", "CMD_wrongversion+"});
    EXPECT_TRUE(chatLines().contains("Bob has a different version of the game then you."));
    EXPECT_TRUE(chatLines().contains("You have a different version then the host."));
}

TEST_F(FakeHostTest, MalformedAndUnknownLinesAreDropped) {
    joinAs("Ann", 1);
    const int before = int(chatLines().size());
    hostSendsAll(
        {"CMD_nextplayer1", "", "CMD_nosuch+1", "cmd_chat+hi|clRed", "+3", "CMD_chat+hello|clRed"});
    EXPECT_EQ(chatLines().mid(before), QStringList({"hello"}));
    EXPECT_EQ(state().turnseat, 0);
    hostSendsAll({"CMD_nextplayer+1"});
    EXPECT_EQ(state().turnseat, 1);
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(FakeHostTest, AFailingLineShowsTheErrorBoxAndTheNextLineIsHandled) {
    joinAs("Ann", 1);
    hostSendsAll({"CMD_nextplayer+x", "CMD_nextplayer+1"});
    EXPECT_EQ(boxes, QStringList({"'x' is not a valid integer value"}));
    EXPECT_EQ(state().turnseat, 1);
    EXPECT_TRUE(w().isVisible());
}

TEST_F(FakeHostTest, ChatLinesTakeTheirColour) {
    joinAs("Ann", 1);
    hostSendsAll(
        {"CMD_chat+Bob chats: hi|clRed", "CMD_action+Bob waves|nonsense", "CMD_chat+plain"});
    const QStringList lines = chatLines();
    EXPECT_TRUE(lines.contains("Bob chats: hi"));
    EXPECT_TRUE(lines.contains("Bob waves"));
    EXPECT_TRUE(lines.contains("plain"));
}

TEST_F(FakeHostTest, OwnDepartureClosesTheWindow) {
    joinAs("Ann", 2);
    hostSendsAll({"CMD_playerdisconnected+2+Ann"});
    EXPECT_FALSE(state().loggedin);
    EXPECT_FALSE(w().isVisible());
}

TEST_F(FakeHostTest, AFullGameShowsItsBoxAndCloses) {
    createWindows({"Ann", "127.0.0.1", "false"});
    w().startup().setGamePort(host.serverPort());
    w().show();
    ASSERT_TRUE(waitUntil([&] { return host.hasPendingConnections(); }));
    link = host.nextPendingConnection();
    hostSends("CMD_full+");
    ASSERT_TRUE(waitUntil([&] { return !w().isVisible(); }));
    EXPECT_EQ(boxes, QStringList({"Game is full"}));
}

TEST_F(FakeHostTest, TheHostGoingAwayClosesTheWindow) {
    joinAs("Ann", 1);
    link->close();
    ASSERT_TRUE(waitUntil([&] { return !w().isVisible(); }));
}

TEST_F(FakeHostTest, StartingWithoutALoginSaysSo) {
    createWindows({"Ann", "127.0.0.1"});  // two arguments: no connection at all
    w().show();
    w().StartGame1->setEnabled(true);
    w().StartGame1->trigger();
    EXPECT_EQ(boxes, QStringList({"You are not connected"}));
}
