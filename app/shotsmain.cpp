// Pictures of the real main window, driven by a real host through a solo game:
//   quivelo-shots DIR
// writes start, roll, midturn and winner, each at 1x (NAME.png) and 2x (NAME@2x.png).
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "client/diceboard.h"
#include "client/startup.h"
#include "client/tchat.h"
#include "client/windowset.h"
#include "download/tdownload.h"
#include "host/tserver.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "platform/application.h"
#include "platform/messagebox.h"
#include "platform/soundplayer.h"

namespace {

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs this program again once per scale, each in a folder of its own.
int runScales(const QString& self, const QString& dir) {
    for (const char* scale : {"1", "2"}) {
        QTemporaryDir runtime, folder;
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_SCALE_FACTOR", scale);
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("QUIVELO_PROGRAM_DIR", folder.path());
        env.insert("QUIVELO_SHOTS_SUFFIX", QString(scale) == "2" ? "@2x" : "");
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(self, {dir});
        if (!child.waitForFinished(300000) || child.exitCode() != 0) {
            std::fprintf(stderr, "quivelo-shots: the %sx run failed\n", scale);
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quivelo-shots DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!qEnvironmentVariableIsSet("QUIVELO_SHOTS_SUFFIX")) {
        QCoreApplication probe(argc, argv);
        QDir().mkpath(dir);
        return runScales(QCoreApplication::applicationFilePath(), dir);
    }
    const QString suffix = qEnvironmentVariable("QUIVELO_SHOTS_SUFFIX");
    QDir().mkpath(dir);

    platform::Application app(argc, argv);
    app.setApplicationName("Quivelo");
    platform::SoundPlayer::setSink([](const QString&) {});
    platform::setBoxPresenter([](platform::BoxKind, const QString& text) {
        std::fprintf(stderr, "quivelo-shots: box: %s\n", qPrintable(text));
        return true;
    });
    WindowSet set({});
    Tchat& w = *set.windows.chat;
    w.startup().setGamePort(0);
    w.show();
    set.windows.download->hide();

    auto shot = [&](const char* name) {
        QCoreApplication::processEvents();
        const QString path = QDir(dir).filePath(QString(name) + suffix + ".png");
        if (!w.grab().save(path)) {
            std::fprintf(stderr, "quivelo-shots: cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        std::printf("%s\n", qPrintable(path));
    };
    auto fail = [](const char* what) {
        std::fprintf(stderr, "quivelo-shots: %s\n", what);
        return 1;
    };
    auto label = [&](const QString& name) { return w.control<QLabel>(name)->text(); };
    DiceBoard& board = w.diceboard();

    if (!waitUntil([&] { return label("label_playername1") == "You"; }, 10000))
        return fail("no login");
    shot("start");

    w.StartGame1->trigger();
    if (!waitUntil([&] { return label("label_turn") == "Your Turn."; }, 10000))
        return fail("no turn");
    QTest::mouseClick(w.control<QWidget>("button_throwdarts"), Qt::LeftButton);
    if (!waitUntil([&] { return board.clickable(1); }, 5000)) return fail("no roll");
    shot("roll");

    for (int k = 1; k <= 4; ++k) {
        int die = 1;
        while (!board.clickable(die))
            ++die;
        QTest::mouseClick(w.control<QWidget>("image_dice", die), Qt::LeftButton);
        if (!waitUntil([&] { return board.occupied(1, k); }, 5000)) return fail("no placement");
    }
    shot("midturn");

    // The host plays the rest of the game for us, quickly.
    set.windows.server->setComputerPlayInterval(30);
    w.sock->Send(protocol::build(protocol::Msg::justwatch, {1, QString("1")}));
    if (!waitUntil([&] { return w.control<QWidget>("panel_winner")->isVisible(); }, 240000))
        return fail("no winner");
    shot("winner");
    return 0;
}
