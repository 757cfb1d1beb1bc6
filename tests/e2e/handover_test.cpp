// Hosting and joining from the dialog, end to end: this test process plays the
// first copy with the real windows, confirms the dialog with clicks, lets go of
// everything in the order the program's main does, and starts the new copy, a
// real `quivelo`, which a real `quivelo-bot` or `quivelo-host` then plays with.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <csignal>

#include "client/handover.h"
#include "client/hostjoindialog.h"
#include "client/startup.h"
#include "client/tchat.h"
#include "client/windowset.h"
#include "download/tdownload.h"
#include "platform/inifile.h"
#include "platform/messagebox.h"
#include "platform/singleinstance.h"
#include "tests/e2e/program.h"
#include "tests/support/eventloop.h"
#include "tests/support/peer.h"

using testsupport::waitUntil;

namespace {

constexpr quint16 kGamePort = 7775;

bool processGone(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    return stat.readAll().contains(") Z ");  // a zombie has ended
}

class HandoverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        runtime = makeRuntimeDir();
        qputenv("XDG_RUNTIME_DIR", runtime->path().toUtf8());
        qputenv("QUIVELO_PROGRAM_DIR", programDir.path().toUtf8());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        platform::setBoxPresenter([this](platform::BoxKind, const QString& t) {
            boxes << t;
            return true;
        });
        handover::setProgram(Program::binary("quivelo"));
        // The first copy holds the single-instance name, as main makes it do.
        instance = std::make_unique<platform::SingleInstance>();
        ASSERT_FALSE(instance->CheckPrevInstance("tnav11", false));
    }
    void TearDown() override {
        set.reset();
        instance.reset();
        if (newCopy > 0 && !processGone(newCopy)) {
            ::kill(pid_t(newCopy), SIGTERM);
            waitUntil([&] { return processGone(newCopy); }, 5000);
        }
        platform::setBoxPresenter({});
    }

    Tchat& w() { return *set->windows.chat; }
    HostJoinDialog* dialog(QWidget* over) {
        HostJoinDialog* d = nullptr;
        waitUntil([&] { return (d = over->findChild<HostJoinDialog*>()) && d->isVisible(); });
        return d;
    }
    void confirm(HostJoinDialog* d, const QString& name) {
        d->nameEdit->clear();
        QTest::keyClicks(d->nameEdit, name);
        bool closed = false;
        QObject::connect(&w(), &Tchat::closed, [&] { closed = true; });
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        ASSERT_TRUE(closed) << "confirming closes this copy";
    }
    // What main does once its window has closed: the windows go (and with them the
    // game port and every connection), then the single-instance lock; then the new
    // copy starts.
    void endThisCopyAndStartTheNext() {
        set.reset();
        instance.reset();
        ASSERT_TRUE(handover::startPending());
        QFile lock(QDir(runtime->path()).filePath("tnav11.lock"));
        ASSERT_TRUE(waitUntil([&] { return lock.exists() && lock.size() > 0; }, 10000))
            << "the new copy holds the single-instance name";
        ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
        newCopy = lock.readLine().trimmed().toLongLong();
        ASSERT_GT(newCopy, 0);
    }

    std::unique_ptr<QTemporaryDir> runtime;
    QTemporaryDir programDir;
    std::unique_ptr<platform::SingleInstance> instance;
    std::unique_ptr<WindowSet> set;
    QStringList boxes;
    qint64 newCopy = 0;
};

TEST_F(HandoverTest, HostingFromTheFileMenuStartsAHostingCopyThatABotJoins) {
    set = std::make_unique<WindowSet>(QStringList{});  // a solo game on port 7775
    w().show();
    QMenu* file = nullptr;
    for (QAction* a : w().menuBar()->actions())
        if (a->text() == "File") file = a->menu();
    ASSERT_TRUE(file);
    file->popup(QPoint(0, 0));
    ASSERT_TRUE(waitUntil([&] { return file->isVisible(); }));
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(w().HostAGame1).center());
    HostJoinDialog* d = dialog(&w());
    ASSERT_TRUE(d);
    ASSERT_NO_FATAL_FAILURE(confirm(d, "Hostess"));
    ASSERT_NO_FATAL_FAILURE(endThisCopyAndStartTheNext());

    TestClient probe;  // waits for the new copy's host to be up, then leaves seat 2 free
    ASSERT_TRUE(waitUntil([&] { return probe.connectTo(kGamePort, 200); }, 10000));
    probe.socket().close();
    Program bot("quivelo-bot");
    bot.start({"--port", QString::number(kGamePort), "--name", "Robo"});
    ASSERT_TRUE(waitUntil([&] { return bot.output().contains("Robo sits in seat 2"); }, 15000))
        << bot.output().toStdString() << bot.errors().toStdString();
    EXPECT_TRUE(waitUntil([&] { return bot.output().contains("seat 1: Hostess"); }))
        << "the new copy hosts as Hostess";
    EXPECT_EQ(platform::settingsFile().readString("Quivelo", "Playername", ""), "Hostess");
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(HandoverTest, JoiningFromPlayWithOthersStartsACopyThatJoinsTheHost) {
    Program host("quivelo-host");
    host.start({"--port", QString::number(kGamePort)});
    ASSERT_TRUE(waitUntil([&] { return host.output().contains("listening"); }, 10000))
        << host.errors().toStdString();
    platform::settingsFile().writeString("Quivelo", "Lasthost", "127.0.0.1");
    // A solo game of its own on any free port, since quivelo-host holds 7775 here.
    set = std::make_unique<WindowSet>(QStringList{});
    w().startup().setGamePort(0);
    w().show();
    Tdownload* download = set->windows.download;
    download->lobbyPath = programDir.filePath("no-lobby");
    QTest::mouseClick(download->Button2, Qt::LeftButton);
    HostJoinDialog* d = dialog(download);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->addressEdit->text(), "127.0.0.1") << "the last host is offered";
    ASSERT_NO_FATAL_FAILURE(confirm(d, "Joiner"));
    ASSERT_NO_FATAL_FAILURE(endThisCopyAndStartTheNext());

    Program bot("quivelo-bot");
    bot.start({"--port", QString::number(kGamePort), "--name", "Robo"});
    // Whichever of the two reached the host first sits in seat 1.
    ASSERT_TRUE(waitUntil([&] { return bot.output().contains(": Joiner\n"); }, 15000))
        << bot.output().toStdString() << bot.errors().toStdString();
    // The joined copy ends when its host goes away.
    bot.stop();
    host.stop();
    EXPECT_TRUE(waitUntil([&] { return processGone(newCopy); }, 10000));
}

}  // namespace
