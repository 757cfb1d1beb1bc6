#include "ui/tabout.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "platform/shell.h"
#include "ui/picturebox.h"
#include "ui/pictures.h"

namespace {

QLabel* line(QWidget* parent, const QString& text, int left, int top, int width = 200) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setGeometry(left, top, width, 16);
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

    line(this, "Version", 116, 184, 48)->setObjectName("label_version");
    line(this, "2.0.10", 164, 184, 40)->setObjectName("label_versionnumber");
    line(this, ".4", 204, 184, 20)->setObjectName("label_build");
}

bool Tabout::eventFilter(QObject* watched, QEvent* event) {
    if (watched->objectName() == "label_web" && event->type() == QEvent::MouseButtonPress)
        platform::openUrl(kWebSite);
    return QDialog::eventFilter(watched, event);
}
