#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

// A dark diamond lattice. Its period divides the tile, and every line is drawn
// again where it leaves the tile, so the tiles meet without a seam.
void drawBackgroundTile(QPainter& p) {
    const qreal size = 64;
    const qreal period = 16;
    p.fillRect(QRectF(0, 0, size, size), QColor(0x03, 0x07, 0x04));
    p.setPen(QPen(QColor(0x0b, 0x1c, 0x0e), 1.0));
    for (qreal k = -size; k <= 2 * size; k += period) {
        p.drawLine(QPointF(k, 0), QPointF(k + size, size));
        p.drawLine(QPointF(k, size), QPointF(k + size, 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x12, 0x2e, 0x16));
    for (qreal y = 0; y <= size; y += period)
        for (qreal x = 0; x <= size; x += period)
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
}
