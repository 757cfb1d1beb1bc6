// The main window's tally steps: which finished games and double bulls are counted.
#include <QListWidget>
#include <QProcess>

#include "client/tchat.h"
#include "tally/ttallylist.h"
#include "tests/client/windowfixture.h"

class TallyTest : public FakeHostTest {
  protected:
    Ttallylist& tally() { return *set->windows.tallylist; }
    QString cell(int c, int r) { return QString::fromStdString(tally().store().grid().cell(c, r)); }
    void startWithVuziTallied() {
        hostSendsAll({"CMD_newplayerinfo+1+Ann", "CMD_startgame+1+n"});
        ASSERT_EQ(tally().checklist->count(), 1);
        EXPECT_EQ(tally().checklist->item(0)->text(), "Vuzi");
        tally().checklist->item(0)->setCheckState(Qt::Checked);
    }
};

TEST_F(TallyTest, ASoloWinIsCountedForThePlayerAndAgainstVuzi) {
    joinAs("Ann", 1);
    startWithVuziTallied();
    hostSendsAll({"CMD_winner+Ann"});
    EXPECT_EQ(cell(1, 0), "1");
    EXPECT_EQ(cell(2, 0), "1");
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_EQ(cell(3, 1), "1");
    hostSendsAll({"CMD_startgame+1+n", "CMD_winner+Vuzi"});
    EXPECT_EQ(cell(1, 0), "2");
    EXPECT_EQ(cell(2, 0), "1");
    EXPECT_EQ(cell(2, 1), "1") << "Vuzi won this one";
}

TEST_F(TallyTest, TeamGamesWatchersAndLonelyGamesCountNothing) {
    joinAs("Ann", 1);
    hostSendsAll({"CMD_newplayerinfo+1+Ann", "CMD_winner+Ann"});
    EXPECT_EQ(cell(1, 0), "0") << "nobody else is named on the board";
    startWithVuziTallied();
    hostSendsAll({"CMD_winner+Ann and Cat"});
    EXPECT_EQ(cell(1, 0), "0") << "a team's win is not tallied";
}

TEST_F(TallyTest, AWatcherTalliesNothing) {
    joinAs("Eve", 5);
    hostSendsAll({"CMD_newplayerinfo+5+Eve", "CMD_existingplayers+1+Ann", "CMD_startgame+1+n"});
    ASSERT_GT(tally().checklist->count(), 0);
    tally().checklist->item(0)->setCheckState(Qt::Checked);
    hostSendsAll({"CMD_winner+Ann"});
    EXPECT_EQ(cell(1, 0), "0");
}

TEST_F(TallyTest, OnlyOwnDoubleBullsCount) {
    joinAs("Ann", 1);
    startWithVuziTallied();
    hostSendsAll({"CMD_placedice+1+dBull+4+1+4", "CMD_placedice+2+dBull+8+2+4",
                  "CMD_placedice+1+dBull+12+3+4"});
    EXPECT_EQ(cell(3, 0), "2");
}

TEST_F(TallyTest, TheFileASoloGameLeavesCanBeShown) {
    joinAs("Ann", 1);
    startWithVuziTallied();
    hostSendsAll({"CMD_winner+Ann"});
    const QString file = tally().path();
    set.reset();  // the program ends: the tally is written
    QProcess tool;
    tool.start(QString(QUIVELO_BIN_DIR) + "/quivelo-tally", {"show", file});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QString out = tool.readAllStandardOutput();
    EXPECT_TRUE(out.contains("Total Games: 1")) << out.toStdString();
    EXPECT_TRUE(out.contains("Your Wins:   1")) << out.toStdString();
    EXPECT_TRUE(out.contains("Vuzi")) << out.toStdString();
}
