#include "tests/client/windowfixture.h"

#include <QLabel>
#include <QTextBlock>
#include <QTextDocument>

#include "chat/chatdisplay.h"
#include "client/messagequeue.h"
#include "client/startup.h"
#include "client/tchat.h"
#include "download/tdownload.h"
#include "host/tserver.h"
#include "net/tsock.h"
#include "platform/messagebox.h"
#include "platform/soundplayer.h"
#include "tests/support/eventloop.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {
const QString kSentinel = "--- all handled";
int sentinels = 0;
}  // namespace

void WindowTest::SetUp() {
    qputenv("QUIVELO_PROGRAM_DIR", folder.path().toUtf8());
    platform::setBoxPresenter([this](platform::BoxKind, const QString& t) {
        boxes << t;
        return true;
    });
    platform::SoundPlayer::setSink([this](const QString& name) { sounds << name; });
}

void WindowTest::TearDown() {
    set.reset();
    platform::setBoxPresenter({});
    platform::SoundPlayer::setSink({});
}

void WindowTest::createWindows(const QStringList& arguments) {
    set = std::make_unique<WindowSet>(arguments);
    w().Sock11->setPortName("1");  // nothing listens there
}

ClientState& WindowTest::state() {
    return w().state();
}

QString WindowTest::text(const QString& label) {
    return w().control<QLabel>(label)->text();
}

bool WindowTest::visible(const QString& control) {
    return w().control<QWidget>(control)->isVisible();
}

QStringList WindowTest::chatLines() {
    QStringList lines;
    for (QTextBlock b = w().mainchat->document()->begin(); b.isValid(); b = b.next())
        if (!b.text().isEmpty() && !b.text().startsWith(kSentinel)) lines << b.text();
    return lines;
}

void FakeHostTest::SetUp() {
    WindowTest::SetUp();
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost));
}

void FakeHostTest::joinAs(const QString& name, int seat) {
    createWindows({name, "127.0.0.1", "false"});
    w().startup().setGamePort(host.serverPort());
    w().show();
    ASSERT_TRUE(waitUntil([&] { return host.hasPendingConnections(); }));
    link = host.nextPendingConnection();
    hostSends("CMD_sendlogininfo+" + QByteArray::number(seat));
    ASSERT_TRUE(waitUntil([&] { return state().loggedin; }));
    requests();
}

void FakeHostTest::hostSends(const QByteArray& line) {
    link->write(line + char(0xFF));
    link->flush();
}

void FakeHostTest::hostSendsAll(const QList<QByteArray>& lines) {
    // A last chat line of our own tells when the window has handled everything before it.
    for (const QByteArray& l : lines)
        hostSends(l);
    const QString sentinel = QString("%1 %2").arg(kSentinel).arg(++sentinels);
    hostSends("CMD_chat+" + sentinel.toUtf8());
    QTextDocument* doc = w().mainchat->document();
    EXPECT_TRUE(waitUntil([&] { return doc->toPlainText().endsWith(sentinel + "\n"); }));
}

QList<QByteArray> FakeHostTest::requests(int waitMs) {
    spin(waitMs);
    fromWindow += link->readAll();
    QList<QByteArray> out;
    qsizetype end;
    while ((end = fromWindow.indexOf(char(0xFF))) >= 0) {
        out << fromWindow.left(end);
        fromWindow.remove(0, end + 1);
    }
    return out;
}

void SoloTest::SetUp() {
    WindowTest::SetUp();
    createWindows({});
    w().startup().setGamePort(0);
    set->windows.server->setComputerPlayInterval(20);
    w().show();
    set->windows.download->hide();
    ASSERT_TRUE(waitUntil([&] { return text("label_playername1") == "You"; }));
}

quint16 SoloTest::port() const {
    return set->windows.server->listeningPort();
}
