#include "ui/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::clearPicture() {
    picture_ = QPixmap();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftPressed_ = true;
    if (onMouseDown) onMouseDown(event->button());
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    // Like a button: the click counts only if released over the picture.
    const bool click =
        event->button() == Qt::LeftButton && leftPressed_ && rect().contains(event->pos());
    if (event->button() == Qt::LeftButton) leftPressed_ = false;
    if (click && onClick) onClick();
    QWidget::mouseReleaseEvent(event);
}

}  // namespace ui
