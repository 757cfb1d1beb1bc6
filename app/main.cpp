// The desktop program: one copy per user; the window takes its role (solo, host or
// join) from the command line when it is first shown.
#include <memory>

#include "chat/tphrases.h"
#include "client/tchat.h"
#include "client/tspylist.h"
#include "client/windows.h"
#include "download/tdownload.h"
#include "host/tserver.h"
#include "platform/application.h"
#include "platform/singleinstance.h"
#include "tally/ttallylist.h"
#include "ui/tabout.h"
#include "ui/thelp.h"

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    platform::SingleInstance instance;
    // A second copy only brings the first one forward; it never reads its arguments.
    if (instance.CheckPrevInstance("tnav11", true)) return 0;

    app.setApplicationName("Quivelo");
    app.setQuitOnLastWindowClosed(false);
    QStringList arguments = app.arguments();
    arguments.removeFirst();

    Windows windows;
    auto chat = std::make_unique<Tchat>(windows, arguments);
    auto about = std::make_unique<Tabout>();
    windows.about = about.get();
    auto help = std::make_unique<Thelp>();
    windows.help = help.get();
    auto server = std::make_unique<TServer>();
    windows.server = server.get();
    auto tallylist = std::make_unique<Ttallylist>();
    windows.tallylist = tallylist.get();
    auto spylist = std::make_unique<Tspylist>();
    windows.spylist = spylist.get();
    auto phrases = std::make_unique<Tphrases>();
    windows.phrases = phrases.get();
    auto download = std::make_unique<Tdownload>();
    windows.download = download.get();
    chat->connectWindows();

    instance.setOnRestore([w = chat.get()] {
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
    });
    QObject::connect(chat.get(), &Tchat::closed, &app, &QCoreApplication::quit);
    chat->show();
    return app.exec();
}
