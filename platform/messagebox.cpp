#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace platform {

namespace {

bool hasGui() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

bool defaultPresenter(BoxKind kind, const QString& text) {
    if (!hasGui()) return kind != BoxKind::Question;
    const QString title = QCoreApplication::applicationName();
    switch (kind) {
        case BoxKind::Error:
            QMessageBox::critical(nullptr, title, text);
            return true;
        case BoxKind::Notice:
            QMessageBox::information(nullptr, title, text);
            return true;
        case BoxKind::Question:
            return QMessageBox::question(nullptr, title, text,
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    return false;
}

BoxPresenter& presenter() {
    static BoxPresenter p;
    return p;
}

bool present(BoxKind kind, const QString& text) {
    const BoxPresenter& p = presenter();
    return p ? p(kind, text) : defaultPresenter(kind, text);
}

}  // namespace

BoxPresenter setBoxPresenter(BoxPresenter p) {
    BoxPresenter previous = std::move(presenter());
    presenter() = std::move(p);
    return previous;
}

void errorBox(const QString& text) {
    std::fprintf(stderr, "%s: error: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(text));
    std::fflush(stderr);
    present(BoxKind::Error, text);
}

void messageBox(const QString& text) {
    present(BoxKind::Notice, text);
}

bool confirmBox(const QString& text) {
    return present(BoxKind::Question, text);
}

}  // namespace platform
