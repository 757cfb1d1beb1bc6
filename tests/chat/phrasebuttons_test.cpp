// The phrase buttons: one phrase per pause, as an action in the action colour.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "chat/chatinput.h"
#include "chat/phrasebuttons.h"
#include "tests/support/eventloop.h"

namespace {

class PhraseButtonsTest : public ::testing::Test {
  protected:
    void click(int n) { QTest::mouseClick(buttons[size_t(n - 1)], Qt::LeftButton); }

    bool loggedIn = true;
    QList<QByteArray> sent;
    ChatLink link{[this] { return loggedIn; }, [] { return 2; },
                  [this](const QByteArray& m) { sent << m.chopped(1); }};
    QWidget panel;
    QLineEdit line;
    ChatInput input{line, link};
    std::array<QPushButton*, PhraseButtons::kButtons> buttons = [this] {
        std::array<QPushButton*, PhraseButtons::kButtons> made{};
        for (auto& b : made)
            b = new QPushButton(&panel);
        return made;
    }();
    PacedQueue<QByteArray> ticker{1, [](QByteArray&) {}};
    PhraseButtons phrases{buttons, link, input, ticker};
};

}  // namespace

TEST_F(PhraseButtonsTest, BuiltInPhrasesAreTheHints) {
    EXPECT_EQ(buttons[0]->toolTip(), "Way To Go!");
    EXPECT_EQ(buttons[9]->toolTip(), "See ya!");
    phrases.setPhrase(3, "Close one!");
    EXPECT_EQ(buttons[2]->toolTip(), "Close one!");
}

TEST_F(PhraseButtonsTest, ASecondClickInThePauseIsDroppedAndTheTimerStopsAfterIt) {
    input.setActionColour(Qt::white);
    click(1);
    click(2);
    EXPECT_EQ(sent, QList<QByteArray>({"CMD_action+2+says: Way To Go!|clWhite"}));
    EXPECT_FALSE(phrases.ready());
    EXPECT_TRUE(ticker.isActive()) << "the client's timer counts the pause";
    ASSERT_TRUE(testsupport::waitUntil([&] { return phrases.ready(); }));
    EXPECT_FALSE(ticker.isActive()) << "and stops after it";
    click(2);
    EXPECT_EQ(sent.last(), "CMD_action+2+says: Good One!|clWhite");
}

TEST_F(PhraseButtonsTest, MePhrasesAreActionsAndAnEmptyPhraseStillSays) {
    phrases.setPhrase(4, "/me bows");
    phrases.setPhrase(5, "/mebows");
    phrases.setPhrase(6, "");
    for (int n : {4, 5, 6}) {
        click(n);
        ASSERT_TRUE(testsupport::waitUntil([&] { return phrases.ready(); }));
    }
    EXPECT_EQ(sent, QList<QByteArray>({"CMD_action+2+bows|clWhite", "CMD_action+2+ows|clWhite",
                                       "CMD_action+2+says: |clWhite"}));
}

TEST_F(PhraseButtonsTest, NothingIsSentBeforeTheLogin) {
    loggedIn = false;
    click(1);
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_TRUE(phrases.ready()) << "no pause for a phrase never sent";
}
