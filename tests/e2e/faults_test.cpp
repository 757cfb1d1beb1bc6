// Faults and bad input against the real programs: clients and hosts that die,
// too many connections, hostile peers, and tally saves that fail part-way.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <csignal>
#include <functional>

#include "tests/e2e/program.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::spin;
using testsupport::waitUntil;

namespace {

std::unique_ptr<TestClient> join(quint16 port, const QString& name) {
    auto c = std::make_unique<TestClient>();
    EXPECT_TRUE(c->connectTo(port));
    const QByteArray ask = c->waitFor("CMD_sendlogininfo+");
    const QByteArray seat = ask.mid(18);
    c->send("CMD_logininfo+" + seat + "+2.0.10+" + name.toUtf8());
    EXPECT_FALSE(c->waitFor("CMD_newplayerinfo+" + seat + "+").isEmpty());
    return c;
}

// What a late joiner is told of seats 1 and 2, in order.
QList<QByteArray> boardSeenBy(TestClient& newcomer) {
    newcomer.waitForNew(28, 1000);
    QList<QByteArray> boards;
    for (const QByteArray& m : newcomer.messages())
        if (m.startsWith("CMD_loadboard+1+") || m.startsWith("CMD_loadboard+2+")) boards << m;
    return boards;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

long statusValue(qint64 pid, const char* key) {
    const QString status = contents(QString("/proc/%1/status").arg(pid));
    const auto m = QRegularExpression(QString(key) + ":\\s+(\\d+)").match(status);
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

// Ann, in seat 1, still has her chat relayed back to her.
bool annStillTalks(TestClient& ann) {
    ann.send("CMD_chat+1+still here|clLime");
    return !ann.waitFor("CMD_chat+ann chats: still here").isEmpty();
}

int openDescriptors(qint64 pid) {
    return int(QDir(QString("/proc/%1/fd").arg(pid)).entryList(QDir::NoDotAndDotDot).size());
}

}  // namespace

TEST(Faults, APlayerKilledInHisOwnTurnInSeatsTwoToFourDoesNotStopTheGame) {
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    auto ann = join(port, "ann");
    std::vector<std::unique_ptr<TestClient>> others;
    for (const char* name : {"bob", "cat", "dan"})
        others.push_back(join(port, name));
    ann->send("CMD_startgame+1+n");
    ann->send("CMD_justwatch+1+1");  // the host plays ann's turns
    // Each of seats 2, 3 and 4, when its turn comes, dies before it throws.
    for (int dead = 0; dead < 3; ++dead) {
        QByteArray turn;
        ASSERT_TRUE(waitUntil(
            [&] {
                for (const QByteArray& m : ann->takeNew())
                    if (m.startsWith("CMD_nextplayer+") && m != "CMD_nextplayer+1") turn = m;
                return !turn.isEmpty();
            },
            10000));
        const int seat = turn.mid(15).toInt();
        ASSERT_GE(seat, 2);
        others[size_t(seat - 2)]->socket().abort();
        others[size_t(seat - 2)].reset();
        ASSERT_TRUE(waitUntil([&] {
            return host.errors().contains(QString("seat %1: ").arg(seat).toUtf8() + "bob left") ||
                   host.errors().contains(QString("seat %1: cat left").arg(seat).toUtf8()) ||
                   host.errors().contains(QString("seat %1: dan left").arg(seat).toUtf8());
        }));
    }
    // Only ann (played by the host) and Vuzi remain, and the turns go on.
    ann->takeNew();
    EXPECT_FALSE(ann->waitFor("CMD_thedart", 10000).isEmpty());
    EXPECT_TRUE(host.running());
}

TEST(Faults, WhenTheHostIsKilledEveryJoinedProgramEnds) {
    Program host("quivelo-host"), quivelo("quivelo"), bot("quivelo-bot");
    host.start({"--port", "7775"});  // the desktop program joins on the standard port
    ASSERT_TRUE(waitUntil([&] { return host.output().contains("listening"); }));
    bot.start({"--name", "Bot"});
    ASSERT_TRUE(waitUntil([&] { return bot.output().contains("Bot sits in seat 1"); }));
    quivelo.start({"Ann", "127.0.0.1", "false"});
    ASSERT_TRUE(waitUntil([&] { return host.errors().contains("seat 2: Ann logged in"); }, 20000))
        << host.errors().toStdString();
    ::kill(pid_t(host.pid()), SIGKILL);
    ASSERT_TRUE(bot.waitForExit(5000)) << "a joined program must not hang";
    ASSERT_TRUE(quivelo.waitForExit(10000)) << "nor the desktop program";
    EXPECT_EQ(bot.exitCode(), 4);
    EXPECT_TRUE(bot.errors().contains("lost the connection to the host"));
}

TEST(Faults, TheTenthConnectionIsRefusedAndTheNineNoticeNothing) {
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    std::vector<std::unique_ptr<TestClient>> nine;
    for (int i = 1; i <= 9; ++i)
        nine.push_back(join(port, QString("p%1").arg(i)));
    for (auto& c : nine)
        c->takeNew(20);
    TestClient tenth;
    tenth.socket().connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return tenth.closedByPeer(); }));
    EXPECT_EQ(tenth.messages(), QList<QByteArray>({"CMD_full+"}));
    for (auto& c : nine)
        EXPECT_TRUE(c->takeNew(20).isEmpty());
}

TEST(Faults, AThousandConnectionsComingAndGoingLeaveTheHostsDescriptorsAndMemoryFlat) {
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    auto ann = join(port, "ann");
    auto cycle = [&](int times) {
        for (int i = 0; i < times; ++i) {
            TestClient c;
            ASSERT_TRUE(c.connectTo(port));
            ASSERT_FALSE(c.waitFor("CMD_sendlogininfo").isEmpty());
            c.send("CMD_logininfo+2+2.0.10+x");
            c.send("CMD_chat+2+bye|clRed");
            if (i % 2) c.socket().abort();
        }
    };
    cycle(100);  // the host's own buffers and tables reach their size
    spin(300);
    const int fds = openDescriptors(host.pid());
    [[maybe_unused]] const long rss = statusValue(host.pid(), "VmRSS");
    cycle(1000);
    ASSERT_TRUE(waitUntil([&] { return openDescriptors(host.pid()) <= fds; }, 10000))
        << openDescriptors(host.pid()) << " descriptors, were " << fds;
#ifndef __SANITIZE_ADDRESS__  // the sanitizer holds freed memory back on purpose
    EXPECT_LT(statusValue(host.pid(), "VmRSS") - rss, 4 * 1024) << "kB grown";
#endif
    EXPECT_TRUE(annStillTalks(*ann));
}

TEST(Faults, AFloodingPeerIsClosedAndTheOthersPlayOn) {
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    auto ann = join(port, "ann");
    auto flood = join(port, "flood");
    QByteArray lines;
    for (int i = 0; i < 5000; ++i)
        lines += QByteArray("CMD_throwdarts+2") + char(0xFF);
    flood->socket().write(lines);
    ASSERT_TRUE(waitUntil([&] { return flood->closedByPeer(); }));
    EXPECT_TRUE(host.errors().contains("seat 2: more than 100 messages waiting"));
    EXPECT_TRUE(annStillTalks(*ann));
}

TEST(Faults, APeerThatNeverReadsIsCutOffAtItsOutputLimitAndTheOthersPlayOn) {
    // Loopback's socket buffers can hold megabytes; kept small in a network of
    // the test's own, what piles up is the host's own output for the peer.
    QFile sendBuffers("/proc/sys/net/ipv4/tcp_wmem");
    if (!enterPrivateNetwork() || !sendBuffers.open(QIODevice::WriteOnly) ||
        sendBuffers.write("4096 4096 4096\n") < 0 || !sendBuffers.flush())
        GTEST_SKIP() << "needs root and a network namespace";
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    auto ann = join(port, "ann");

    // The sleeper logs in to seat 2 and never reads a byte.
    const int sleeper = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int smallBuffer = 4096;
    ::setsockopt(sleeper, SOL_SOCKET, SO_RCVBUF, &smallBuffer, sizeof smallBuffer);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(sleeper, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
    const QByteArray login = QByteArray("CMD_logininfo+2+2.0.10+sleeper") + char(0xFF);
    ASSERT_EQ(::send(sleeper, login.data(), size_t(login.size()), 0), login.size());
    ASSERT_FALSE(ann->waitFor("CMD_newplayerinfo+2+sleeper").isEmpty());

    // Rounds of six talkers, each with a full burst of long lines the host
    // relays to everybody, the sleeper too.
    const QByteArray text = QByteArray(1000, 'z') + "|clLime";
    const auto cutOff = [&] {
        return host.errors().contains("seat 2: more than 1 MiB of output waiting, closed");
    };
    int rounds = 0;
    for (; rounds < 100 && !cutOff(); ++rounds) {
        std::vector<std::unique_ptr<TestClient>> talkers;
        for (int i = 0; i < 6; ++i) {
            auto& t = talkers.emplace_back(std::make_unique<TestClient>());
            ASSERT_TRUE(t->connectTo(port));
            const QByteArray seat = t->waitFor("CMD_sendlogininfo+").mid(18);
            t->send("CMD_logininfo+" + seat + "+2.0.10+talker" + char('a' + i));
            for (int j = 0; j < 5; ++j)
                t->send("CMD_chat+" + seat + "+" + text);
        }
        int relayed = 0;
        ASSERT_TRUE(waitUntil([&] {
            for (const QByteArray& m : ann->takeNew())
                relayed += m.contains(" chats: zzz");
            return relayed == 30 || cutOff();
        })) << relayed
            << " lines relayed in round " << rounds;
    }
    ASSERT_TRUE(cutOff()) << rounds << " rounds; " << host.errors().toStdString();
    // The others were told and play on.
    EXPECT_TRUE(
        waitUntil([&] { return ann->messages().contains("CMD_playerdisconnected+2+sleeper"); }));
    ::close(sleeper);
    EXPECT_FALSE(ann->closedByPeer());
    EXPECT_TRUE(annStillTalks(*ann));
}

TEST(Faults, MalformedAndSpoofedMessagesLeaveTheGameExactlyAsItWas) {
    Program host("quivelo-host");
    const quint16 port = startHost(host);
    auto ann = join(port, "ann");
    ann->send("CMD_startgame+1+n");
    ann->send("CMD_justwatch+1+1");
    // Let a few turns go by, then hold the game still: ann plays her own turns again.
    ASSERT_TRUE(waitUntil([&] { return ann->messages().count("CMD_nextplayer+2") >= 1; }, 10000));
    ann->send("CMD_justwatch+1+2");
    ASSERT_TRUE(waitUntil(
        [&] {
            const QList<QByteArray> m = ann->messages();
            return m.indexOf("CMD_justwatching+1+2") >= 0 &&
                   m.lastIndexOf("CMD_nextplayer+1") > m.indexOf("CMD_justwatching+1+2");
        },
        10000));
    // A newcomer takes seat 2 from Vuzi; ann's turn waits, so nothing moves.
    auto first = join(port, "look");
    const QList<QByteArray> before = boardSeenBy(*first);
    ASSERT_EQ(before.size(), 14);
    ann->takeNew(100);

    auto bad = join(port, "bad");
    const QList<QByteArray> catalogue = {"CMD_placedice+x+1+1+1",
                                         "CMD_placedice+1+a+b+c",
                                         "CMD_placedice+0+1+1+1",
                                         "CMD_placedice+10+1+1+1",
                                         "CMD_placedice+1+0+1+1",
                                         "CMD_placedice+1+13+1+1",
                                         "CMD_placedice+1+1+4+1",
                                         "CMD_placedice+1+1+1+5",
                                         "CMD_placedice",
                                         "CMD_throwdarts",
                                         "CMD_throwdarts+1",
                                         "CMD_autoplace+1",
                                         "CMD_startgame+1+t",
                                         "CMD_justwatch+1+1",
                                         "CMD_logininfo+1+2.0.10+evil",
                                         "CMD_chat+1+spoofed|clRed",
                                         "CMD_endturn+1+99",
                                         "CMD_loadboard+1+15+3+999",
                                         "CMD_winner+bad",
                                         "+++",
                                         "CMD_placedice+4294967297+1+1+1",
                                         QByteArray(300, '\xFE'),
                                         QByteArray(1 << 20, 'x'),
                                         "\x01\x02\x03"};
    QByteArray wire;
    for (const QByteArray& m : catalogue)
        wire += m + char(0xFF);
    bad->socket().write(wire);
    bad->socket().write(QByteArray(1 << 20, 'y'));  // 1 MiB without an end
    bad->socket().flush();
    ASSERT_TRUE(waitUntil([&] { return bad->closedByPeer(); }, 10000));
    spin(500);
    auto second = join(port, "look again");
    EXPECT_EQ(boardSeenBy(*second), before);
    for (const QByteArray& m : ann->takeNew())
        EXPECT_TRUE(m.startsWith("CMD_newplayerinfo") || m.startsWith("CMD_playerdisconnected"))
            << "the game moved: " << m.toStdString();
    EXPECT_TRUE(host.running());
}

// The tally is saved when the program ends. A save that the system refuses
// (a full disk) or that dies part-way must leave the previous tally whole.
class TallySaveTest : public ::testing::Test {
  protected:
    // One game won by Ann against Bob, from a host played by the test.
    // `beforeEnd` runs just before the host leaves.
    void playOneGame(Program& quivelo, const QStringList& wrapper = {},
                     const std::function<void()>& beforeEnd = {}) {
        TestListener host(7775), lobby(9001);
        quivelo.start({"Ann", "127.0.0.1", "false"}, wrapper);
        ASSERT_TRUE(waitUntil([&] { return host.connections() == 1; }, 20000));
        QTcpSocket* link = host.socket(0);
        link->write(QByteArray("CMD_sendlogininfo+1") + char(0xFF));
        ASSERT_TRUE(waitUntil([&] { return host.received(0).contains("CMD_logininfo"); }));
        for (const char* m : {"CMD_newplayerinfo+1+Ann", "CMD_existingplayers+2+Bob",
                              "CMD_startgame+1+n", "CMD_winner+Ann"})
            link->write(QByteArray(m) + char(0xFF));
        link->flush();
        spin(500);
        if (beforeEnd) beforeEnd();
        link->close();  // the host leaves: the program ends and saves its tally
        ASSERT_TRUE(quivelo.waitForExit(20000));
    }
};

TEST_F(TallySaveTest, AFullDiskOrASaveKilledPartWayLeavesThePreviousTallyWhole) {
    Program first("quivelo");
    playOneGame(first);
    const QString tally = QDir(first.programDir()).filePath("quivelotally.tld");
    const QByteArray saved = contents(tally);
    ASSERT_FALSE(saved.isEmpty()) << first.errors().toStdString();

    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed part-way" : "full disk");
        Program again("quivelo");
        QFile::copy(tally, QDir(again.programDir()).filePath("quivelotally.tld"));
        // No file may grow from here on. With the signal ignored, writes fail as on
        // a full disk; without, the first write kills the program in its save.
        const QStringList wrapper = {
            "bash", "-c", QString(killed ? "" : "trap '' XFSZ; ") + "exec \"$@\"", "limited"};
        playOneGame(again, wrapper, [&] {
            ASSERT_EQ(std::system(qPrintable(
                          QString("prlimit --pid %1 --fsize=0:unlimited").arg(again.pid()))),
                      0);
        });
        EXPECT_EQ(contents(QDir(again.programDir()).filePath("quivelotally.tld")), saved);
        if (killed)
            EXPECT_NE(again.exitCode(), 0);
        else
            EXPECT_TRUE(again.errors().contains("quivelotally.tld"))
                << again.errors().toStdString();
    }
}
