// The chat and the settings file, through the real window on a private X server:
// what a player types and clicks reaches the other players in the stored colours,
// and a choice made in one run is in force in the next.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "tests/e2e/program.h"
#include "tests/e2e/xdisplay.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {

constexpr quint16 kGamePort = 7775;
// Places in the main window, below its menu bar of about 20 pixels.
constexpr int kInputX = 100, kInputY = 465;  // the chat input line
constexpr int kPhrase1X = 16, kPhrase1Y = 305;

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Joins the solo game of the program as a second player.
bool join(TestClient& peer) {
    if (!waitUntil([&] { return peer.connectTo(kGamePort, 200); }, 15000)) return false;
    const QByteArray ask = peer.waitFor("CMD_sendlogininfo");
    if (ask.isEmpty()) return false;
    peer.send("CMD_logininfo+" + ask.mid(ask.indexOf('+') + 1) + "+2.0.10+Peer");
    // The program's own arrival came first; give its client a moment to load.
    if (peer.waitFor("CMD_existingplayers+1+You").isEmpty()) return false;
    spin(500);
    return true;
}

}  // namespace

TEST(ChatSettings, ChatAndPhrasesGoOutInTheStoredColoursAndEditsAreKept) {
    XDisplay x;
    if (!x.ready()) GTEST_SKIP() << "needs Xvfb and xdotool (scripts/install-deps installs them)";
    Program quivelo("quivelo");
    quivelo.setEnvironment("QT_QPA_PLATFORM", "xcb");
    quivelo.setEnvironment("DISPLAY", x.name());
    const QString ini = QDir(quivelo.programDir()).filePath("vantlobby.ini");
    const QByteArray lobby = "[Lobby]\r\nServer=lobby.example.net\r\n; kept as it is\r\n\r\n";
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lobby + "[Quivelo]\r\nTextcolor=clRed\r\nActioncolor=clAqua\r\nPhrase1=Ready?\r\n");
    }

    quivelo.start({});
    TestClient peer;
    ASSERT_TRUE(join(peer)) << quivelo.errors().toStdString();
    const QString window = x.window("Quivelo");
    ASSERT_FALSE(window.isEmpty());

    x.click(window, kInputX, kInputY);
    x.type("hello www.example.com");
    x.keys({"Return"});
    EXPECT_EQ(peer.waitFor("CMD_chat"), "CMD_chat+You chats: hello www.example.com|clRed");
    x.type("/me waves");
    x.keys({"Return"});
    EXPECT_EQ(peer.waitFor("CMD_action"), "CMD_action+You waves|clAqua");
    x.click(window, kPhrase1X, kPhrase1Y);
    EXPECT_EQ(peer.waitFor("CMD_action"), "CMD_action+You says: Ready?|clAqua");

    // View, Phrase Button List, by keyboard; a new first phrase; Enter is "Done".
    x.keys({"alt", "Right", "Right", "Down", "Down", "Down", "Return"});
    const QString editor = x.window("Klimp - Phrase Buttons");
    ASSERT_FALSE(editor.isEmpty());
    x.xdotool({"windowfocus", "--sync", editor});
    x.keys({"ctrl+a"});
    x.type("Go team");
    x.keys({"Return"});
    ASSERT_TRUE(waitUntil([&] { return contents(ini).contains("Phrase1=Go team\r\n"); }))
        << contents(ini).toStdString();
    EXPECT_TRUE(contents(ini).startsWith(lobby)) << "the lobby's section is untouched";
    EXPECT_TRUE(contents(ini).contains("Phrase10=See ya!\r\n"));
    quivelo.stop();
    peer.socket().abort();

    quivelo.start({});
    TestClient again;
    ASSERT_TRUE(join(again)) << quivelo.errors().toStdString();
    const QString second = x.window("Quivelo");
    x.click(second, kPhrase1X, kPhrase1Y);
    EXPECT_EQ(again.waitFor("CMD_action"), "CMD_action+You says: Go team|clAqua");
}
