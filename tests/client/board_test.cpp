// The dice board, score cards and sounds, against a host played by the test.
#include <QAction>
#include <QLabel>
#include <QTest>

#include "client/diceboard.h"
#include "client/tchat.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {
const QByteArray kRoll = "CMD_thedart+3+1+5+2+6+2+4+1+6+5+3+4+";
}

class BoardTest : public FakeHostTest {
  protected:
    void SetUp() override {
        FakeHostTest::SetUp();
        joinAs("Ann", 1);
        hostSendsAll({"CMD_newplayerinfo+1+Ann", "CMD_existingplayers+2+Bob", "CMD_startgame+1+n"});
        requests();
    }
    DiceBoard& board() { return w().diceboard(); }
    void click(int die, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(w().control<QWidget>("image_dice", die), button);
    }
};

TEST_F(BoardTest, ButtonsFollowTheTurn) {
    EXPECT_FALSE(visible("button_throwdarts"));
    EXPECT_FALSE(visible("button_autoplace"));
    hostSendsAll({"CMD_nextplayer+2"});
    EXPECT_EQ(text("label_turn"), "Bob's turn.");
    EXPECT_FALSE(visible("button_throwdarts"));
    EXPECT_EQ(text("label_round"), "Throws: 0");

    hostSendsAll({"CMD_nextplayer+1"});
    EXPECT_EQ(text("label_turn"), "Your Turn.");
    EXPECT_TRUE(visible("button_throwdarts"));
    EXPECT_FALSE(visible("button_autoplace"));
    EXPECT_EQ(text("label_round"), "Throws: 1");

    QTest::mouseClick(w().control<QWidget>("button_throwdarts"), Qt::LeftButton);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_throwdarts+1"}));
    EXPECT_FALSE(visible("button_throwdarts"));
    EXPECT_TRUE(visible("button_autoplace"));

    hostSendsAll({kRoll});
    for (int i = 1; i <= 12; ++i)
        EXPECT_TRUE(visible(QString("image_dice%1").arg(i))) << i;
    EXPECT_TRUE(visible("button_autoplace")) << "only the next turn hides it";
    EXPECT_EQ(sounds, QStringList({"DICE1"}));

    hostSendsAll({"CMD_winner+Bob"});
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(";").toStdString();
    EXPECT_FALSE(visible("button_autoplace"));
    EXPECT_FALSE(visible("button_throwdarts"));

    hostSendsAll({"CMD_startgame+1+n"});
    EXPECT_EQ(text("label_round"), "Throws: 0");
    EXPECT_FALSE(visible("panel_winner"));
}

TEST_F(BoardTest, TheThrowAndAutoplaceButtonsActOnALeftClickOnly) {
    hostSendsAll({"CMD_nextplayer+1"});
    QWidget* throwButton = w().control<QWidget>("button_throwdarts");
    QWidget* autoButton = w().control<QWidget>("button_autoplace");
    for (Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(throwButton, other);
        EXPECT_TRUE(requests().isEmpty()) << "button " << other;
        EXPECT_TRUE(visible("button_throwdarts"));
    }
    QTest::mouseClick(throwButton, Qt::LeftButton);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_throwdarts+1"}));
    hostSendsAll({kRoll});
    QTest::mouseClick(autoButton, Qt::RightButton);
    EXPECT_TRUE(requests().isEmpty());
    // Pressed on the button but let go elsewhere: no click, as with any button.
    QTest::mousePress(autoButton, Qt::LeftButton);
    QTest::mouseRelease(autoButton, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(requests().isEmpty());
    QTest::mouseClick(autoButton, Qt::LeftButton);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_autoplace+1"}));
}

TEST_F(BoardTest, ADieScattersWithinThePanel) {
    hostSendsAll({"CMD_nextplayer+1", kRoll});
    const QWidget* panel = w().control<QWidget>("panel_dicepanel");
    for (int i = 1; i <= 12; ++i) {
        const QWidget* die = w().control<QWidget>("image_dice", i);
        EXPECT_GE(die->x(), 106);
        EXPECT_LT(die->x() + 32, panel->width() + 40);
        EXPECT_GE(die->y(), panel->height() / 7 - 32);
        EXPECT_LE(die->y(), 7 * (panel->height() / 7) - 32 + 7);
    }
}

TEST_F(BoardTest, AClickAsksForTheFirstFreeSlot) {
    hostSendsAll({"CMD_nextplayer+2", kRoll});
    click(5);
    EXPECT_TRUE(requests().isEmpty()) << "not this player's turn";

    // Dart 1 full (dice 3, 4, 9, 11), dart 2 holding dice 6 and 8.
    hostSendsAll({"CMD_nextplayer+1", kRoll, "CMD_placedice+1+5+3+1+1", "CMD_placedice+1+7+4+1+2",
                  "CMD_placedice+1+13+9+1+3", "CMD_placedice+1+16+11+1+4",
                  "CMD_placedice+1+2+6+2+1", "CMD_placedice+1+3+8+2+2"});
    click(5);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_placedice+1+5+2+3"}));
    click(1);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_placedice+1+1+2+3"}))
        << "nothing moves until the host answers, so the same slot is asked for";
    click(3);
    EXPECT_TRUE(requests().isEmpty()) << "a placed die is no longer clickable";
}

TEST_F(BoardTest, AMiddleClickPlacesThenAutoplaces) {
    hostSendsAll({"CMD_nextplayer+1", kRoll});
    click(7, Qt::MiddleButton);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_placedice+1+7+1+1", "CMD_autoplace+1"}));
    QTest::mouseClick(w().control<QWidget>("button_autoplace"), Qt::LeftButton);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_autoplace+1"}));
}

TEST_F(BoardTest, TheDartShowsOnlyWithItsFourthDie) {
    hostSendsAll(
        {"CMD_nextplayer+1", kRoll, "CMD_placedice+1+3+1+1+1", "CMD_placedice+1+18+5+1+2"});
    EXPECT_EQ(text("label_dart1"), "18");
    EXPECT_FALSE(visible("image_throwndart1"));
    EXPECT_EQ(w().control<QWidget>("image_dice", 5)->pos(),
              w().control<QWidget>("dart1dice2")->pos());
    EXPECT_EQ(state().cardmarks[0], (std::array<int, 7>{}));
    hostSendsAll({"CMD_placedice+1+19+2+1+3", "CMD_placedice+1+20+9+1+4"});
    EXPECT_TRUE(visible("image_throwndart1"));
    EXPECT_EQ(w().control<QWidget>("image_throwndart", 1)->pos(), QPoint(113, 44));
    EXPECT_EQ(state().cardmarks[0][5], 1);
    EXPECT_EQ(sounds.last(), "WAV20");
}

TEST_F(BoardTest, MarksAreCappedAtThree) {
    QList<QByteArray> lines;
    for (int i = 0; i < 4; ++i)
        lines << "CMD_placedice+2+dBull+1+1+4"
              << "CMD_placedice+2+17+2+2+4";
    hostSendsAll(lines);
    EXPECT_EQ(state().cardmarks[1][6], 3);
    EXPECT_EQ(state().cardmarks[1][2], 3);
    hostSendsAll({"CMD_placedice+2+14+3+3+4", "CMD_placedice+2+bull+4+1+4"});
    EXPECT_EQ(state().cardmarks[1], (std::array<int, 7>{0, 0, 3, 0, 0, 0, 3}))
        << "a miss marks nothing; the mark compares its text exactly";
}

TEST_F(BoardTest, EachDartAsksForItsSoundUnderItsSwitch) {
    auto dart = [&](const char* value) {
        sounds.clear();
        hostSendsAll({QByteArray("CMD_placedice+2+") + value + "+1+1+4"});
        return sounds;
    };
    EXPECT_EQ(dart("14"), QStringList({"MISS"}));
    EXPECT_EQ(dart("9"), QStringList({"MISS"}));
    EXPECT_EQ(dart("15"), QStringList({"WAV15"}));
    EXPECT_EQ(dart("Bull"), QStringList({"BULL"}));
    EXPECT_EQ(dart("dBull"), QStringList({"DBULL"}));
    EXPECT_EQ(w().control<QWidget>("image_throwndart", 1)->pos(), QPoint(110, 111));

    w().PlayVoiceSounds1->trigger();  // off
    EXPECT_TRUE(dart("18").isEmpty());
    sounds.clear();
    hostSendsAll({kRoll});
    EXPECT_EQ(sounds, QStringList({"DICE1"})) << "the rattle has its own switch";
    w().PlaySounds1->trigger();
    w().PlayVoiceSounds1->trigger();
    sounds.clear();
    hostSendsAll({kRoll});
    EXPECT_TRUE(sounds.isEmpty());
    EXPECT_EQ(dart("18"), QStringList({"WAV18"}));
}

TEST_F(BoardTest, ScoresAreShownAsNumbers) {
    hostSendsAll({"CMD_endturn+2+007+6+18+18"});
    EXPECT_EQ(text("label_score2"), "7");
}

TEST_F(BoardTest, WinnerNoticesForASingleWinnerAndATeam) {
    hostSendsAll({"CMD_winner+Bob"});
    EXPECT_TRUE(chatLines().contains("Bob has Won the Game!"));
    EXPECT_TRUE(visible("panel_winner"));
    EXPECT_EQ(text("label_winner1"), "Bob");
    EXPECT_EQ(text("label_winner2"), "Bob");
    EXPECT_EQ(sounds.last(), "WINNER");
    hostSendsAll({"CMD_winner+Ann and Cat"});
    EXPECT_TRUE(chatLines().contains("Ann and Cat have Won the Game!"));
}

TEST_F(BoardTest, AGameStartShowsVuziInAnEmptySeatTwo) {
    hostSendsAll({"CMD_playerdisconnected+2+Bob", "CMD_startgame+1+t"});
    EXPECT_EQ(text("label_playername2"), "Vuzi");
    EXPECT_TRUE(chatLines().contains("Ann has started a TEAM game."));
}

class WatcherTest : public FakeHostTest {};

TEST_F(WatcherTest, AWatcherSeesTheWinnerButNotTheTurns) {
    joinAs("Eve", 5);
    hostSendsAll({"CMD_newplayerinfo+5+Eve", "CMD_existingplayers+1+Ann", "CMD_winner+Ann"});
    EXPECT_TRUE(visible("panel_winner"));
    EXPECT_EQ(sounds.last(), "WINNER");
    EXPECT_EQ(text("label_round"), "Throws: 0");
}

class LateJoinerTest : public FakeHostTest {};

TEST_F(LateJoinerTest, ANewcomerInTheRunningTurnSeesItsDiceAndFinishesWithoutAThrow) {
    joinAs("Cat", 2);
    hostSendsAll({"CMD_newplayerinfo+2+Cat", "CMD_existingplayers+1+Ann",
                  "CMD_thedart+1+2+1+2+1+6+6+6+5+5+5+4+", "CMD_placedice+2+1+1+2+1",
                  "CMD_nextplayer+2"});
    requests();
    EXPECT_EQ(text("label_turn"), "Your Turn.");
    EXPECT_FALSE(visible("button_throwdarts")) << "the dice are thrown already";
    ASSERT_TRUE(visible("button_autoplace"));
    EXPECT_TRUE(w().control<QWidget>("image_dice", 2)->isVisible()) << "the roll is shown";
    QTest::mouseClick(w().control<QWidget>("button_autoplace"), Qt::LeftButton);
    EXPECT_EQ(requests(), QList<QByteArray>({"CMD_autoplace+2"}));

    // Its next turn is an ordinary one.
    hostSendsAll({"CMD_endturn+2+0+1+19+19", "CMD_nextplayer+1",
                  "CMD_thedart+1+1+1+1+1+1+1+1+1+1+1+1+", "CMD_endturn+1+0+4+4+4",
                  "CMD_nextplayer+2"});
    EXPECT_TRUE(visible("button_throwdarts"));
    EXPECT_FALSE(visible("button_autoplace"));
}
