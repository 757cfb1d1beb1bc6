// Typing into the chat input line: what goes to the host, and what stays.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "chat/chatinput.h"

namespace {

class ChatInputTest : public ::testing::Test {
  protected:
    void SetUp() override { line.show(); }
    void type(const QString& text) {
        QTest::keyClicks(&line, text);
        QTest::keyClick(&line, Qt::Key_Return);
    }

    bool loggedIn = true;
    QList<QByteArray> sent;
    ChatLink link{[this] { return loggedIn; }, [] { return 3; },
                  [this](const QByteArray& m) { sent << m.chopped(1); }};
    QLineEdit line;
    ChatInput input{line, link};
};

}  // namespace

TEST_F(ChatInputTest, TheFirstKeyEmptiesThePromptAndEnterSendsInTheTextColour) {
    EXPECT_EQ(line.text(), "<Enter Chat Here>");
    input.setTextColour(QColor(255, 0, 0));
    type("hi all");
    EXPECT_EQ(sent, QList<QByteArray>({"CMD_chat+3+hi all|clRed"}));
    EXPECT_EQ(line.text(), "") << "the prompt does not come back";
    EXPECT_EQ(line.palette().color(QPalette::Text), QColor(255, 0, 0));
    QTest::keyClick(&line, Qt::Key_Return);
    EXPECT_EQ(sent.size(), 1) << "an empty line sends nothing";
}

TEST_F(ChatInputTest, MeSendsAnActionAndOtherSlashLinesNothing) {
    input.setActionColour(QColor(0x12, 0x34, 0x56));
    type("/me waves");
    type("/meows");
    type("/quit");
    EXPECT_EQ(sent,
              QList<QByteArray>({"CMD_action+3+waves|$00563412", "CMD_action+3+ws|$00563412"}))
        << "the fourth character goes, whatever it is";
    EXPECT_EQ(line.text(), "");
}

TEST_F(ChatInputTest, BeforeTheLoginTheTextStays) {
    loggedIn = false;
    type("early words");
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(line.text(), "early words");
    loggedIn = true;
    QTest::keyClick(&line, Qt::Key_Enter);
    EXPECT_EQ(sent, QList<QByteArray>({"CMD_chat+3+early words|clLime"}));
}

TEST_F(ChatInputTest, PasteReplacesTheWholeLineAndTheLineTakes500Characters) {
    type("");  // the prompt is gone
    QTest::keyClicks(&line, "typed");
    QGuiApplication::clipboard()->setText("pasted");
    QTest::keyClick(&line, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(line.text(), "pasted");
    input.paste();
    EXPECT_EQ(line.text(), "pasted");
    QGuiApplication::clipboard()->setText(QString(2000, 'x'));
    input.paste();
    EXPECT_EQ(line.text().size(), ChatInput::kMaxLength);
    QTest::keyClicks(&line, "more");
    EXPECT_EQ(line.text().size(), ChatInput::kMaxLength);
}
