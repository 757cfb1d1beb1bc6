// The desktop program with its tally file: a damaged file does not stop it, and
// the tally it writes at the end survives a power cut.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include "tests/e2e/program.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::waitUntil;

namespace {

constexpr quint16 kGamePort = 7775;
constexpr quint16 kLobbyPort = 9001;

// "9\r\n0\r\n" compressed: a grid of nine columns and no rows.
const QByteArray kNoRows = QByteArray::fromHex("57525a4c06000000070080390d0a300d0a");

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

}  // namespace

TEST(TallyFile, ATallyWithoutRowsIsKeptAsBadAndTheProgramComesUp) {
    ASSERT_EQ(kNoRows.size(), 17);
    Program quivelo("quivelo");
    const QString tally = QDir(quivelo.programDir()).filePath("quivelotally.tld");
    write(tally, kNoRows);
    quivelo.start({});
    TestClient other;  // the solo game's host answers while the error box is open
    ASSERT_TRUE(waitUntil([&] { return other.connectTo(kGamePort, 200); }, 10000))
        << quivelo.errors().toStdString();
    EXPECT_EQ(other.waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+2");
    ASSERT_TRUE(waitUntil([&] { return quivelo.errors().contains("row count 0"); }));
    EXPECT_TRUE(quivelo.errors().contains("kept as " + tally.toUtf8() + ".bad"));
    EXPECT_TRUE(quivelo.running());
    EXPECT_EQ(contents(tally + ".bad"), kNoRows);
    EXPECT_EQ(contents(tally), kNoRows) << "nothing was counted, so nothing replaced it";
}

TEST(TallyFile, TheSaveAtTheEndSyncsTheFolderAfterTheRename) {
    const QString strace = QStandardPaths::findExecutable("strace");
    if (strace.isEmpty()) GTEST_SKIP() << "strace is not installed (scripts/install-deps)";
    TestListener host(kGamePort), lobby(kLobbyPort);
    Program quivelo("quivelo");
    const QString log = QDir(quivelo.runtimeDir()).filePath("calls.txt");
    quivelo.start({"Ann", "127.0.0.1", "false"},
                  {strace, "-f", "-o", log, "-e", "trace=openat,rename,renameat,renameat2,fsync"});
    ASSERT_TRUE(waitUntil([&] { return host.connections() == 1; }, 20000));
    host.socket(0)->close();  // the host leaves: the program ends normally
    ASSERT_TRUE(quivelo.waitForExit(20000));

    const QString calls = QString::fromUtf8(contents(log));
    const QString dir = QRegularExpression::escape(quivelo.programDir());
    const auto rename = QRegularExpression("rename.*\"" + dir + "/quivelotally.tld.new\".*\"" +
                                           dir + "/quivelotally.tld\".*= 0")
                            .match(calls);
    ASSERT_TRUE(rename.hasMatch()) << calls.toStdString();
    const QString after = calls.mid(rename.capturedEnd());
    const auto folder =
        QRegularExpression("openat\\(.*\"" + dir + "\", O_RDONLY[^)]*O_DIRECTORY.*= (\\d+)")
            .match(after);
    ASSERT_TRUE(folder.hasMatch()) << after.toStdString();
    EXPECT_TRUE(after.mid(folder.capturedEnd())
                    .contains(QRegularExpression("fsync\\(" + folder.captured(1) + "\\)\\s*= 0")))
        << after.toStdString();
}
