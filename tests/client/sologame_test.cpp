// A whole solo game against Vuzi, played from the real window by mouse clicks.
#include <QAction>
#include <QLabel>
#include <QTest>

#include "client/diceboard.h"
#include "client/tchat.h"
#include "host/tserver.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::waitUntil;

TEST_F(SoloTest, ASoloGamePlayedByMouseRunsToItsWinner) {
    EXPECT_EQ(text("label_playername2"), "<Waiting>");
    w().StartGame1->trigger();
    ASSERT_TRUE(waitUntil([&] { return state().turnseat != 0; }));
    EXPECT_EQ(text("label_playername2"), "Vuzi");
    DiceBoard& board = w().diceboard();
    int turns = 0;
    while (!visible("panel_winner") && turns < 200) {
        if (!waitUntil([&] { return visible("button_throwdarts") || visible("panel_winner"); },
                       10000))
            break;
        if (visible("panel_winner")) break;
        ++turns;
        QTest::mouseClick(w().control<QWidget>("button_throwdarts"), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return board.clickable(1); }));
        // Click the dice one by one in die order, each after the last has landed.
        for (int placed = 0; placed < 12; ++placed) {
            const int die = placed + 1;
            QTest::mouseClick(w().control<QWidget>("image_dice", die), Qt::LeftButton);
            ASSERT_TRUE(waitUntil([&] { return !board.clickable(die); })) << "die " << die;
        }
    }
    ASSERT_TRUE(visible("panel_winner")) << "after " << turns << " turns";
    const QString winner = text("label_winner1");
    ASSERT_TRUE(QStringList({"You", "Vuzi", "You and Vuzi"}).contains(winner))
        << winner.toStdString();
    EXPECT_TRUE(chatLines().contains(
        winner + (winner.contains(" and ") ? " have Won the Game!" : " has Won the Game!")));
    EXPECT_EQ(text("label_round"), QString("Throws: %1").arg(turns));
    EXPECT_FALSE(set->windows.server->gameon());
}

TEST_F(SoloTest, AnotherClientSeesTheSameBoard) {
    TestClient other;
    ASSERT_TRUE(other.connectTo(port()));
    ASSERT_EQ(other.waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+2");
    other.send("CMD_logininfo+2+2.0.10+Bob");
    ASSERT_TRUE(waitUntil([&] { return text("label_playername2") == "Bob"; }));
    w().StartGame1->trigger();
    const QByteArray first = other.waitFor("CMD_nextplayer+");
    if (first == "CMD_nextplayer+2") {
        other.send("CMD_throwdarts+2");
        other.send("CMD_autoplace+2");
        ASSERT_FALSE(other.waitFor("CMD_nextplayer+1").isEmpty());
    }
    ASSERT_TRUE(waitUntil([&] { return visible("button_throwdarts"); }));
    QTest::mouseClick(w().control<QWidget>("button_throwdarts"), Qt::LeftButton);
    const QByteArray roll = other.waitFor("CMD_thedart+");
    ASSERT_FALSE(roll.isEmpty());
    QTest::mouseClick(w().control<QWidget>("button_autoplace"), Qt::LeftButton);
    const QByteArray end = other.waitFor("CMD_endturn+1+");
    ASSERT_FALSE(end.isEmpty());
    // The window shows what the other client was told: the same darts and score.
    const QList<QByteArray> parts = end.split('+');
    EXPECT_TRUE(waitUntil([&] {
        return text("label_dart1") == parts[3] && text("label_dart2") == parts[4] &&
               text("label_dart3") == parts[5] && text("label_score1") == parts[2];
    })) << end.toStdString();
}
