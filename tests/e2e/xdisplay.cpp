#include "tests/e2e/xdisplay.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

#include "tests/support/eventloop.h"

XDisplay::XDisplay() {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        return;
    // Xvfb writes the number of the display it found free to the given descriptor.
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x900x24", "-nolisten", "tcp"});
    QByteArray number;
    testsupport::waitUntil(
        [&] { return (number += server_.readAllStandardOutput()).contains('\n'); }, 10000);
    if (number.trimmed().isEmpty()) return;
    name_ = ":" + QString::fromLatin1(number.trimmed());
}

XDisplay::~XDisplay() {
    server_.terminate();
    server_.waitForFinished(3000);
}

QString XDisplay::xdotool(const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", name_);
    tool.setProcessEnvironment(env);
    tool.start("xdotool", arguments);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString XDisplay::window(const QString& title, int ms) {
    QString id;
    testsupport::waitUntil(
        [&] {
            id = xdotool({"search", "--name", "^" + title + "$"}).section('\n', 0, 0);
            return !id.isEmpty();
        },
        ms);
    return id;
}

void XDisplay::click(const QString& window, int x, int y) {
    xdotool(
        {"mousemove", "--window", window, QString::number(x), QString::number(y), "click", "1"});
}

void XDisplay::type(const QString& text) {
    xdotool({"type", "--delay", "15", text});
}

void XDisplay::keys(const QStringList& keys) {
    for (const QString& key : keys) {
        xdotool({"key", key});
        testsupport::spin(150);  // menus open and close between keys
    }
}
