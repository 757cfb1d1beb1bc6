#include "ui/tabout.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "platform/shell.h"
#include "ui/picturebox.h"
#include "ui/pictures.h"

namespace {

// A label exactly as wide as its text, so no line is ever cut short.
QLabel* line(QWidget* parent, const QString& text, int left, int top) {
    auto* l = new QLabel(text, parent);
    l->move(left, top);
    l->adjustSize();
    return l;
}

}  // namespace

Tabout::Tabout(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("about");
    setWindowTitle("Quivelo");
    setFixedSize(327, 217);
    setModal(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 200, 0));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(QFont("DejaVu Sans", 8, QFont::Bold));

    auto* picture = new ui::PictureBox(this);
    picture->setObjectName("image_about");
    picture->setGeometry(8, 8, 96, 160);
    picture->setPicture(ui::picture("about.jpg"));
    picture->setCursor(Qt::PointingHandCursor);
    picture->onMouseDown = [this](Qt::MouseButton) { hide(); };

    line(this, "Vant11 Software", 116, 16);
    line(this, "Voices by espeak-ng", 116, 40);
    line(this, "Copyright (c) Vant11 Software.", 116, 64);
    line(this, "All rights reserved.", 116, 80);
    QLabel* web = line(this, kWebSite, 116, 112);
    web->setObjectName("label_web");
    QFont f = web->font();
    f.setUnderline(true);
    web->setFont(f);
    web->setCursor(Qt::PointingHandCursor);
    web->installEventFilter(this);

    // Three labels that read as one: "Version 2.0.10.4".
    QLabel* version = line(this, "Version", 116, 184);
    version->setObjectName("label_version");
    const int blank = version->fontMetrics().horizontalAdvance(' ');
    QLabel* number = line(this, "2.0.10", version->geometry().right() + 1 + blank, 184);
    number->setObjectName("label_versionnumber");
    line(this, ".4", number->geometry().right() + 1, 184)->setObjectName("label_build");
}

bool Tabout::eventFilter(QObject* watched, QEvent* event) {
    if (watched->objectName() == "label_web" && event->type() == QEvent::MouseButtonPress)
        platform::openUrl(kWebSite);
    return QDialog::eventFilter(watched, event);
}
