#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>

namespace platform {

namespace {

// At most one error box is open: while it waits for its click, further errors
// (a broken host can send thousands) are counted on it instead of piling up.
struct OpenErrorBox {
    bool open = false;
    QString text;
    int more = 0;
    QPointer<QMessageBox> box;  // the default box, while it is shown
};

OpenErrorBox& openErrorBox() {
    static OpenErrorBox state;
    return state;
}

QString withFollowers(const OpenErrorBox& state) {
    if (state.more == 0) return state.text;
    return state.text + QString("\n\n%1 more error%2 followed (see standard error).")
                            .arg(state.more)
                            .arg(state.more == 1 ? "" : "s");
}

bool hasGui() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

bool defaultPresenter(BoxKind kind, const QString& text) {
    if (!hasGui()) return kind != BoxKind::Question;
    const QString title = QCoreApplication::applicationName();
    switch (kind) {
        case BoxKind::Error: {
            QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
            openErrorBox().box = &box;
            box.exec();
            return true;
        }
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
    OpenErrorBox& state = openErrorBox();
    if (state.open) {
        ++state.more;
        if (state.box) state.box->setText(withFollowers(state));
        return;
    }
    state = OpenErrorBox{true, text, 0, nullptr};
    present(BoxKind::Error, text);
    state = OpenErrorBox{};
}

bool showFailure(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        errorBox(QString::fromUtf8(e.what()));
    }
    return false;
}

void messageBox(const QString& text) {
    present(BoxKind::Notice, text);
}

bool confirmBox(const QString& text) {
    return present(BoxKind::Question, text);
}

}  // namespace platform
