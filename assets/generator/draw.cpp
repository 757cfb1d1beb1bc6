#include "assets/generator/draw.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace draw {

QPainterPath textPath(const QFont& font, const QString& text) {
    QPainterPath path;
    path.addText(QPointF(0, 0), font, text);
    return path;
}

namespace {

QPainterPath centredPath(const QRectF& box, const QFont& font, const QString& text) {
    QPainterPath path = textPath(font, text);
    const QRectF ink = path.boundingRect();
    return path.translated(box.center() - ink.center());
}

}  // namespace

void centredText(QPainter& p, const QRectF& box, const QFont& font, const QString& text,
                 const QBrush& brush) {
    p.fillPath(centredPath(box, font, text), brush);
}

void outlinedText(QPainter& p, const QRectF& box, const QFont& font, const QString& text,
                  const QBrush& fill, const QColor& outline, qreal outlineWidth) {
    const QPainterPath path = centredPath(box, font, text);
    p.strokePath(path, QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, fill);
}

void plate(QPainter& p, const QRectF& box, qreal radius, const QColor& top, const QColor& bottom,
           const QColor& border) {
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, top);
    face.setColorAt(1, bottom);
    const QRectF inner = box.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(border, 1));
    p.setBrush(face);
    p.drawRoundedRect(inner, radius, radius);
    // A thin highlight along the upper inside edge gives the plate its bevel.
    p.setPen(QPen(withAlpha(QColor(Qt::white), 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inner.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

void glow(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour, qreal solid) {
    QRadialGradient light(centre, radius);
    light.setColorAt(0, colour);
    if (solid > 0) light.setColorAt(solid, colour);
    light.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(centre, radius, radius);
}

QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

}  // namespace draw
