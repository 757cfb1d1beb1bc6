// How lines reach the chat display: one colour, a bold head up to the first ":".
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "chat/chatdisplay.h"
#include "chat/chatreceived.h"

namespace {

struct Run {
    QString text;
    bool bold;
    QColor colour;
};

// The formatted runs of one line of the display.
std::vector<Run> runs(const ChatDisplay& d, int line) {
    std::vector<Run> out;
    const QTextBlock b = d.document()->findBlockByNumber(line);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        out.push_back({f.text(), f.charFormat().fontWeight() == QFont::Bold,
                       f.charFormat().foreground().color()});
    }
    return out;
}

}  // namespace

TEST(ChatDisplay, TheHeadUpToTheFirstColonIsBold) {
    ChatDisplay d;
    d.addlinetochat("ann chats: see: this", Qt::red);
    const auto r = runs(d, 0);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].text, "ann chats:");
    EXPECT_TRUE(r[0].bold);
    EXPECT_EQ(r[1].text, " see: this");
    EXPECT_FALSE(r[1].bold);
    EXPECT_EQ(r[0].colour, QColor(Qt::red));
    EXPECT_EQ(r[1].colour, QColor(Qt::red));
}

TEST(ChatDisplay, ALineWithoutAColonHasNoBoldPart) {
    ChatDisplay d;
    d.addlinetochat("ann waves", Qt::green);
    const auto r = runs(d, 0);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_FALSE(r[0].bold);
    EXPECT_EQ(d.textCursor().position(), d.document()->characterCount() - 1)
        << "the caret ends at the end";
}

TEST(ChatDisplay, LinesFollowEachOtherAndDropTheSelection) {
    ChatDisplay d;
    d.addlinetochat("one", Qt::white);
    QTextCursor c = d.textCursor();
    c.setPosition(0);
    c.setPosition(2, QTextCursor::KeepAnchor);
    d.setTextCursor(c);
    d.addlinetochat("two", Qt::white);
    EXPECT_EQ(d.document()->findBlockByNumber(0).text(), "one");
    EXPECT_EQ(d.document()->findBlockByNumber(1).text(), "two");
    EXPECT_FALSE(d.textCursor().hasSelection());
}

TEST(ChatDisplay, WithScrollChatOffTheViewStays) {
    ChatDisplay d;
    d.resize(300, 80);
    d.show();
    for (int i = 0; i < 50; ++i)
        d.addlinetochat(QString("line %1").arg(i), Qt::white);
    QCoreApplication::processEvents();
    QScrollBar* bar = d.verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum()) << "the view follows the newest line";
    bar->setValue(0);
    d.setScrollChatOff(true);
    for (int i = 0; i < 20; ++i)
        d.addlinetochat("more", Qt::white);
    EXPECT_EQ(bar->value(), 0);
}

TEST(ChatReceived, TheColourFollowsTheFirstBar) {
    EXPECT_EQ(readReceivedLine("ann chats: hi|clRed").text, "ann chats: hi");
    EXPECT_EQ(readReceivedLine("ann chats: hi|clRed").colour, QColor(255, 0, 0));
    EXPECT_EQ(readReceivedLine("x|$00123456").colour, QColor(0x56, 0x34, 0x12));
    // A "|" in the text makes the rest unreadable as a colour: white.
    const ReceivedLine broken = readReceivedLine("a|b|clRed");
    EXPECT_EQ(broken.text, "a");
    EXPECT_EQ(broken.colour, QColor(Qt::white));
    const ReceivedLine bare = readReceivedLine("no colour here");
    EXPECT_EQ(bare.text, "no colour here");
    EXPECT_EQ(bare.colour, QColor(Qt::white));
    EXPECT_EQ(readReceivedLine("x|clWindowText").colour, QColor(Qt::black)) << "a desktop colour";
}
