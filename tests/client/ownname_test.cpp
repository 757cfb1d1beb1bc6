// The turn display compares the mover's caption with the player's own name, so the
// client must take its name as the host announces it, whatever the host did to it.
#include <QAction>
#include <QLabel>
#include <QTest>

#include "client/startup.h"
#include "client/tchat.h"
#include "host/tserver.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"

using testsupport::waitUntil;

TEST_F(FakeHostTest, TheTurnFindsAPlayerWhoseNameTheHostChanged) {
    struct Case {
        QString typed;
        QByteArray login;      // what goes over the wire
        QByteArray announced;  // what the host made of it
    };
    const Case cases[] = {
        {"Łukasz", "?ukasz", "?ukasz"},      // no such letter in the wire text
        {"Ann\tLee", "Ann\tLee", "AnnLee"},  // control characters removed
        {"Bob", "Bob", "Bob (3)"},           // made unique
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        createWindows({c.typed, "127.0.0.1", "false"});
        w().startup().setGamePort(host.serverPort());
        w().show();
        ASSERT_TRUE(waitUntil([&] { return host.hasPendingConnections(); }));
        link = host.nextPendingConnection();
        hostSends("CMD_sendlogininfo+3");
        EXPECT_EQ(requests(), QList<QByteArray>({"CMD_logininfo+3+2.0.10+" + c.login}));
        hostSendsAll({"CMD_existingplayers+1+Host", "CMD_newplayerinfo+3+" + c.announced,
                      "CMD_startgame+1+n", "CMD_nextplayer+3"});
        EXPECT_EQ(text("label_turn"), "Your Turn.");
        EXPECT_TRUE(visible("button_throwdarts"));
        QTest::mouseClick(w().control<QWidget>("button_throwdarts"), Qt::LeftButton);
        EXPECT_EQ(requests(), QList<QByteArray>({"CMD_throwdarts+3"}));
        hostSendsAll({"CMD_nextplayer+1"});
        EXPECT_EQ(text("label_turn"), "Host's turn.");
        set.reset();
    }
}

TEST_F(WindowTest, AHostingPlayerWithALetterTheWireCannotCarryGetsHisTurn) {
    createWindows({"Łukasz\t", "127.0.0.1", "true"});
    w().startup().setGamePort(0);
    set->windows.server->setComputerPlayInterval(20);
    w().show();
    ASSERT_TRUE(waitUntil([&] { return text("label_playername1") == "?ukasz"; }));
    w().StartGame1->trigger();
    // Whoever starts, Vuzi's turn passes quickly and the turn comes to seat 1.
    ASSERT_TRUE(waitUntil([&] { return visible("button_throwdarts"); }, 10000));
    EXPECT_EQ(text("label_turn"), "Your Turn.");
}
