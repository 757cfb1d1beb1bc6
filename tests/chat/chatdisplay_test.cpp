// How lines reach the chat display: one colour, a bold head up to the first ":".
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "chat/chatdisplay.h"
#include "chat/chatreceived.h"
#include "tests/chat/urlrecorder.h"

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

TEST(ChatDisplay, ControlCharactersCannotForgeALine) {
    ChatDisplay d;
    d.addlinetochat("eve chats: hi\r\nhoster chats: I quit\tnow\x7f", Qt::white);
    EXPECT_EQ(d.document()->blockCount(), 2) << "one line and the empty one after it";
    EXPECT_EQ(d.document()->findBlockByNumber(0).text(),
              "eve chats: hi  hoster chats: I quit now ");
}

TEST(ChatDisplay, CopyPutsPlainTextOnTheClipboard) {
    ChatDisplay d;
    d.addlinetochat("ann chats: bold head", Qt::red);
    d.selectAll();
    d.copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(data->text().trimmed(), "ann chats: bold head");
    EXPECT_FALSE(data->hasHtml());
}

class ChatAddressTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* scheme : {"http", "mailto"})
            QDesktopServices::setUrlHandler(scheme, &opened, "open");
        d.resize(400, 200);
        d.show();
        d.addlinetochat("ann chats: look at www.Example.com/Page, it is", Qt::white);
        d.addlinetochat("bob chats: no address here", Qt::white);
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        for (const char* scheme : {"http", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    // The middle of the n-th character of the text.
    QPoint pointAt(int n) {
        QTextCursor c(d.document());
        c.setPosition(n);
        const QRect left = d.cursorRect(c);
        c.setPosition(n + 1);
        return QPoint((left.x() + d.cursorRect(c).x()) / 2, left.center().y());
    }
    int indexOf(const QString& part) { return int(d.document()->toPlainText().indexOf(part)); }

    ChatDisplay d;
    UrlRecorder opened;
};

TEST_F(ChatAddressTest, ThePointerIsAHandOverAnAddressOnly) {
    QTest::mouseMove(d.viewport(), pointAt(indexOf("Example")));
    EXPECT_EQ(d.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(d.viewport(), pointAt(indexOf("look")));
    EXPECT_EQ(d.viewport()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(d.viewport(), QPoint(5, 190));
    EXPECT_EQ(d.viewport()->cursor().shape(), Qt::ArrowCursor) << "past the end of the text";
}

TEST_F(ChatAddressTest, ALeftClickOpensTheAddressAsWrittenAndSelectsIt) {
    QTest::mouseClick(d.viewport(), Qt::RightButton, {}, pointAt(indexOf("Page")));
    EXPECT_TRUE(opened.urls.isEmpty());
    QTest::mouseClick(d.viewport(), Qt::LeftButton, {}, pointAt(indexOf("Page")));
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0], QUrl("http://www.Example.com/Page"));
    EXPECT_EQ(d.textCursor().selectedText(), "www.Example.com/Page");
    QTest::mouseClick(d.viewport(), Qt::LeftButton, {}, pointAt(indexOf("address here")));
    QTest::mouseClick(d.viewport(), Qt::LeftButton, {}, QPoint(5, 190));
    EXPECT_EQ(opened.urls.size(), 1);
}
