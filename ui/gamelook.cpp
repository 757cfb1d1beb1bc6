#include "ui/gamelook.h"

#include <QWidget>

#include "ui/pictures.h"

namespace ui {

void applyGameLook(QWidget& window) {
    const QColor lime(0, 255, 0);
    QPalette pal = window.palette();
    pal.setBrush(QPalette::Window, QBrush(picture("background.jpg")));
    pal.setColor(QPalette::WindowText, lime);
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, lime);
    pal.setColor(QPalette::Button, Qt::black);
    pal.setColor(QPalette::ButtonText, lime);
    pal.setColor(QPalette::Highlight, QColor(0, 96, 0));
    pal.setColor(QPalette::HighlightedText, lime);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
}

}  // namespace ui
