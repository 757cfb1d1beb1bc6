#include "ui/tiledpanel.h"

#include <QPainter>

namespace ui {

TiledPanel::TiledPanel(QWidget* parent, QColor colour) : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TiledPanel::setTile(const QPixmap& tile) {
    tile_ = tile;
    update();
}

void TiledPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (tile_.isNull())
        p.fillRect(rect(), colour_);
    else
        p.drawTiledPixmap(rect(), tile_);
    if (border_.isValid()) {
        p.setPen(border_);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace ui
