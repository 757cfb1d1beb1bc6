// The program installed like any desktop program: the menu entry, the metainfo and
// the icons validate, and an installed copy, whose own folder it cannot write, runs
// from the menu entry's command and keeps its tally in the per-user data folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>

#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::waitUntil;

namespace {

constexpr quint16 kGamePort = 7775;
constexpr uid_t kNobody = 65534;

// Runs a command to its end; its exit code, or -1 when it could not run.
int run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(120000)) return -1;
    if (output) *output = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A folder the installed program's user owns.
QString ownedFolder(const QTemporaryDir& base, const QString& name, bool asNobody) {
    const QString path = base.filePath(name);
    QDir().mkpath(path);
    ::chmod(qPrintable(path), 0700);
    if (asNobody && ::chown(qPrintable(path), kNobody, kNobody) != 0) return {};
    return path;
}

class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        ::chmod(qPrintable(prefix.path()), 0755);  // others may run what lies inside
        QByteArray out;
        ASSERT_EQ(
            run("cmake", {"--install", QString(QUIVELO_BIN_DIR) + "/..", "--prefix", prefix.path()},
                &out),
            0)
            << out.toStdString();
    }
    QString file(const QString& relative) { return QDir(prefix.path()).filePath(relative); }

    QTemporaryDir prefix;
};

}  // namespace

TEST_F(Installed, TheMenuEntryMetainfoAndIconsAreInTheirPlacesAndValid) {
    for (const char* name : {"bin/quivelo", "bin/quivelo-host", "bin/quivelo-bot",
                             "bin/quivelo-tally", "share/applications/org.quivelo.Quivelo.desktop",
                             "share/metainfo/org.quivelo.Quivelo.metainfo.xml",
                             "share/icons/hicolor/48x48/apps/org.quivelo.Quivelo.png",
                             "share/icons/hicolor/128x128/apps/org.quivelo.Quivelo.png",
                             "share/icons/hicolor/256x256/apps/org.quivelo.Quivelo.png"})
        EXPECT_TRUE(QFile::exists(file(name))) << name;
    if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty() ||
        QStandardPaths::findExecutable("appstreamcli").isEmpty())
        GTEST_SKIP() << "needs desktop-file-utils and appstream (scripts/install-deps)";
    QByteArray out;
    EXPECT_EQ(run("desktop-file-validate", {file("share/applications/org.quivelo.Quivelo.desktop")},
                  &out),
              0)
        << out.toStdString();
    EXPECT_EQ(out.trimmed(), "") << "no warnings either";
    EXPECT_EQ(run("appstreamcli",
                  {"validate", "--no-net", file("share/metainfo/org.quivelo.Quivelo.metainfo.xml")},
                  &out),
              0)
        << out.toStdString();
}

TEST_F(Installed, ACopyThatCannotWriteItsFolderKeepsItsFilesInTheUsersDataFolder) {
    // The menu entry's command, found on the path as the desktop finds it.
    QFile entry(file("share/applications/org.quivelo.Quivelo.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QString command;
    for (const QByteArray& line : entry.readAll().split('\n'))
        if (line.startsWith("Exec=")) command = QString::fromUtf8(line.mid(5)).trimmed();
    ASSERT_EQ(command, "quivelo");

    // Root may write anywhere, so the program runs as nobody; anyone else finds the
    // installed folder made read-only.
    const bool root = ::geteuid() == 0;
    if (!root) ::chmod(qPrintable(file("bin")), 0555);
    QTemporaryDir home;
    ::chmod(qPrintable(home.path()), 0755);
    const QString data = ownedFolder(home, "data", root);
    const QString runtime = ownedFolder(home, "runtime", root);
    ASSERT_FALSE(data.isEmpty());

    QProcess quivelo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", file("bin") + ":" + env.value("PATH"));
    env.insert("HOME", data);
    env.insert("XDG_DATA_HOME", data);
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("QUIVELO_PROGRAM_DIR");
    quivelo.setProcessEnvironment(env);
    const QString program = QStandardPaths::findExecutable(command, {file("bin")});
    ASSERT_FALSE(program.isEmpty());
    if (root) {
        quivelo.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", program});
    } else {
        quivelo.start(program, {});
    }
    TestClient other;
    ASSERT_TRUE(waitUntil([&] { return other.connectTo(kGamePort, 200); }, 15000))
        << quivelo.readAllStandardError().toStdString();
    EXPECT_EQ(other.waitFor("CMD_sendlogininfo"), "CMD_sendlogininfo+2") << "the solo game is up";

    ::kill(pid_t(quivelo.processId()), SIGTERM);  // ends as the Exit item does: the tally is saved
    ASSERT_TRUE(quivelo.waitForFinished(10000));
    EXPECT_EQ(quivelo.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(data + "/Quivelo/quivelotally.tld"))
        << QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(" ").toStdString();
    EXPECT_FALSE(QFile::exists(file("bin/quivelotally.tld")));
    if (!root) ::chmod(qPrintable(file("bin")), 0755);
}
