// Watching and removal with real programs: the hosting player, in a real window
// driven as a player drives it, watches and then removes a joined player, whose
// program ends while the others see him go.
#include <gtest/gtest.h>

#include "tests/e2e/program.h"
#include "tests/e2e/xdisplay.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::waitUntil;

namespace {
constexpr quint16 kGamePort = 7775;
// Seat 3's name label in the main window, below the menu bar.
constexpr int kSeat3X = 34, kSeat3Y = 182;
}  // namespace

TEST(Removal, TheHostingPlayerWatchesThenRemovesAJoinedPlayer) {
    XDisplay x;
    if (!x.ready()) GTEST_SKIP() << "needs Xvfb and xdotool (scripts/install-deps installs them)";
    Program host("quivelo");
    host.setEnvironment("QT_QPA_PLATFORM", "xcb");
    host.setEnvironment("DISPLAY", x.name());
    host.start({"Ann", "127.0.0.1", "true"});
    TestClient cat;  // seat 2
    ASSERT_TRUE(waitUntil([&] { return cat.connectTo(kGamePort, 200); }, 15000));
    EXPECT_EQ(cat.waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+2");
    cat.send("CMD_logininfo+2+2.0.10+Cat");
    Program bob("quivelo");
    bob.start({"Bob", "127.0.0.1", "false"});
    ASSERT_FALSE(cat.waitFor("CMD_newplayerinfo+3+Bob", 10000).isEmpty());

    const QString window = x.window("Quivelo");
    ASSERT_FALSE(window.isEmpty());
    x.xdotool({"mousemove", "--window", window, "300", "150"});
    // Options, then up from its first item to the last: "Just Watch".
    x.keys({"alt", "Right", "Down", "Up", "Return"});
    EXPECT_EQ(cat.waitFor("CMD_justwatching"), "CMD_justwatching+1+1");

    x.xdotool({"mousemove", "--window", window, QString::number(kSeat3X), QString::number(kSeat3Y),
               "click", "3"});
    testsupport::spin(300);
    x.xdotool({"mousemove_relative", "20", "10", "click", "1"});  // "Remove From Game"
    EXPECT_TRUE(bob.waitForExit(10000)) << "the removed player's program ends";
    EXPECT_EQ(cat.waitFor("CMD_playerdisconnected"), "CMD_playerdisconnected+3+Bob");
    EXPECT_TRUE(host.running());
}
