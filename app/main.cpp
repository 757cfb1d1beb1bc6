// The desktop program: one copy per user; the window takes its role (solo, host or
// join) from the command line when it is first shown.
#include <exception>
#include <memory>

#include "client/tchat.h"
#include "client/windowset.h"
#include "platform/application.h"
#include "platform/messagebox.h"
#include "platform/singleinstance.h"

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
    QObject::connect(chat, &Tchat::closed, &app, &QCoreApplication::quit);
    chat->show();
    return app.exec();
}
