#include <QRadialGradient>

#include "assets/generator/draw.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

// One eye in its box, glancing up and to the right.
void drawEye(QPainter& p, const QRectF& box) {
    const QPointF centre = box.center();
    const qreal rx = box.width() / 2;
    const qreal ry = box.height() / 2;
    QRadialGradient white(centre + QPointF(-rx * 0.2, -ry * 0.3), rx * 1.1);
    white.setColorAt(0, palette::kWhite);
    white.setColorAt(1, QColor(0xb8, 0xc0, 0xb8));
    p.setPen(QPen(palette::kDarkGreen, 1.0));
    p.setBrush(white);
    p.drawEllipse(centre, rx - 0.5, ry - 0.5);

    p.save();
    QPainterPath inside;
    inside.addEllipse(centre, rx - 1, ry - 1);
    p.setClipPath(inside);
    const QPointF iris = centre + QPointF(rx * 0.32, -ry * 0.08);
    const qreal irisRadius = ry * 0.62;
    QRadialGradient green(iris, irisRadius);
    green.setColorAt(0, palette::kLime);
    green.setColorAt(1, QColor(0x00, 0x80, 0x10));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawEllipse(iris, irisRadius, irisRadius);
    p.setBrush(palette::kBlack);
    p.drawEllipse(iris, irisRadius * 0.48, irisRadius * 0.48);
    p.setBrush(palette::kWhite);
    p.drawEllipse(iris + QPointF(-irisRadius * 0.3, -irisRadius * 0.35), irisRadius * 0.2,
                  irisRadius * 0.2);
    // The upper lid, half closed: a watcher's look.
    p.setBrush(QColor(0x0a, 0x3a, 0x10));
    p.drawRect(QRectF(box.left(), box.top() - 1, box.width(), ry * 0.55 + 1));
    p.restore();
    p.setPen(QPen(palette::kLime, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(box.left() + 1.5, box.top() + ry * 0.55),
               QPointF(box.right() - 1.5, box.top() + ry * 0.55));
}

}  // namespace

void drawEyes(QPainter& p, const QRectF& box) {
    const qreal width = (box.width() - 3) / 2;
    drawEye(p, QRectF(box.left(), box.top(), width, box.height()));
    drawEye(p, QRectF(box.left() + width + 3, box.top(), width, box.height()));
}
