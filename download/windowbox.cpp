#include "download/windowbox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdio>

void windowBox(QWidget* window, platform::BoxKind kind, const QString& text) {
    if (kind == platform::BoxKind::Error) {
        std::fprintf(stderr, "%s: error: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(text));
        std::fflush(stderr);
    }
    // The installed presenter is read by swapping it out and straight back in.
    platform::BoxPresenter installed = platform::setBoxPresenter({});
    platform::setBoxPresenter(installed);
    if (installed) {
        installed(kind, text);
        return;
    }
    QMessageBox box(
        kind == platform::BoxKind::Error ? QMessageBox::Critical : QMessageBox::Information,
        QCoreApplication::applicationName(), text, QMessageBox::Ok, window);
    box.exec();
}
