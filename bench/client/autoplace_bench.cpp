// An autoplace burst as the player sees it: from the click on the autoplace button
// to the twelfth die drawn on its dart, in the real window hosting a solo game
// (its host in the same process, reached over loopback as always).
//   autoplace_bench [turns]
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "client/diceboard.h"
#include "client/startup.h"
#include "client/tchat.h"
#include "client/windowset.h"
#include "download/tdownload.h"
#include "host/tserver.h"
#include "platform/messagebox.h"
#include "platform/soundplayer.h"

namespace {

bool waitUntil(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    qputenv("QUIVELO_PROGRAM_DIR", folder.path().toUtf8());
    QApplication app(argc, argv);
    const int turns = argc > 1 ? std::max(1, atoi(argv[1])) : 40;
    platform::setBoxPresenter([](platform::BoxKind, const QString&) { return true; });
    platform::SoundPlayer::setSink([](const QString&) {});

    WindowSet set({});
    Tchat& w = *set.windows.chat;
    w.startup().setGamePort(0);
    set.windows.server->setComputerPlayInterval(20);
    w.show();
    set.windows.download->hide();
    if (!waitUntil([&] { return w.state().loggedin; })) return 1;
    DiceBoard& board = w.diceboard();
    QWidget* throwButton = w.control<QWidget>("button_throwdarts");
    QWidget* autoButton = w.control<QWidget>("button_autoplace");
    QWidget* winner = w.control<QWidget>("panel_winner");

    std::vector<double> ms;
    while (int(ms.size()) < turns) {
        if (!throwButton->isVisible()) w.StartGame1->trigger();
        if (!waitUntil([&] { return throwButton->isVisible() || winner->isVisible(); })) return 1;
        if (winner->isVisible()) continue;  // a new game on the next round
        QTest::mouseClick(throwButton, Qt::LeftButton);
        if (!waitUntil([&] { return board.clickable(1); })) return 1;
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(autoButton, Qt::LeftButton);
        if (!waitUntil([&] { return board.occupied(3, 4); })) return 1;
        QCoreApplication::processEvents();  // the pass that paints it
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "autoplace burst, click to the twelfth die drawn, %zu turns: median %.1f ms, p99 "
        "%.1f ms, worst %.1f ms\n",
        ms.size(), ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back());
    return 0;
}
