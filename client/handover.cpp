#include "client/handover.h"

#include <QCoreApplication>
#include <QStringList>
#include <utility>

#include "client/tchat.h"
#include "platform/shell.h"

namespace handover {

namespace {

struct Pending {
    QString program;
    QStringList arguments;
    bool armed = false;  // the application's destruction will start it
};

Pending& pending() {
    static Pending p;
    return p;
}

void startAtExit() {
    startPending();
}

}  // namespace

void setProgram(const QString& path) {
    pending().program = path;
}

void offer(Tchat& window, HostJoinDialog::Role role, QWidget* over) {
    auto* dialog = new HostJoinDialog(role, over);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, &window, [&window, dialog] {
        Pending& p = pending();
        p.arguments = dialog->arguments();
        if (p.program.isEmpty()) p.program = QCoreApplication::applicationFilePath();
        if (!p.armed) qAddPostRoutine(startAtExit);
        p.armed = true;
        window.close();
    });
    dialog->open();
}

bool startPending() {
    Pending& p = pending();
    if (p.arguments.isEmpty()) return false;
    const QStringList arguments = std::exchange(p.arguments, {});
    return platform::startProgram(p.program, arguments);
}

}  // namespace handover
