// The desktop program: one copy per user; the window takes its role (solo, host or
// join) from the command line when it is first shown.
#include <exception>
#include <memory>

#include "client/tchat.h"
#include "client/windowset.h"
#include "platform/application.h"
#include "platform/messagebox.h"
#include "platform/singleinstance.h"
#include "platform/termination.h"

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    platform::SingleInstance instance;
    // A second copy only brings the first one forward; it never reads its arguments.
    if (instance.CheckPrevInstance("tnav11", true)) return 0;

    app.setApplicationName("Quivelo");
    app.setQuitOnLastWindowClosed(false);
    QStringList arguments = app.arguments();
    arguments.removeFirst();

    // A window that cannot be created ends the program, but never without a word.
    std::unique_ptr<WindowSet> windows;
    try {
        windows = std::make_unique<WindowSet>(arguments);
    } catch (const std::exception& e) {
        platform::errorBox(QString::fromUtf8(e.what()));
        return 1;
    }
    Tchat* chat = windows->windows.chat;
    instance.setOnRestore([chat] {
        if (chat->isMinimized()) chat->showNormal();
        chat->raise();
        chat->activateWindow();
    });
    // The window can close before the event loop runs (a box shown while it first
    // shows, and the program asked to end meanwhile); then there is no loop to quit.
    bool ended = false;
    QObject::connect(chat, &Tchat::closed, &app, [&ended] {
        ended = true;
        QCoreApplication::quit();
    });
    // Asked to end (a desktop session logging out): end as the Exit item does, so
    // the tally of this session is saved; an open box closes too.
    platform::onTerminationSignal([](int) { QApplication::closeAllWindows(); });
    chat->show();
    return ended ? 0 : app.exec();
}
