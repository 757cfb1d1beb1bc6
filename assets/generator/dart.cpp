#include <QLineF>
#include <QLinearGradient>
#include <QPainterPath>

#include "assets/generator/draw.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

// The parts of a dart along its axis, as fractions of its length from the tip.
constexpr qreal kPointEnd = 0.25;
constexpr qreal kBarrelEnd = 0.56;
constexpr qreal kShaftEnd = 0.80;
constexpr qreal kFlightStart = 0.64;

struct Frame {
    qreal length;
    qreal width;  // the barrel's thickness; the other parts follow it
};

// Drawn along +x from the tip at the origin; the upper flight lies on -y.
void drawParts(QPainter& p, const Frame& f, bool silhouette, const QColor& shadow) {
    const qreal L = f.length;
    const qreal w = f.width;
    auto fill = [&](const QPainterPath& path, const QBrush& brush, const QColor& edge) {
        if (silhouette) {
            p.fillPath(path, shadow);
            return;
        }
        p.setPen(edge.isValid() ? QPen(edge, 0.6 * w / 4.0) : QPen(Qt::NoPen));
        p.setBrush(brush);
        p.drawPath(path);
    };

    // Flights: the far one is foreshortened, the near one shows its full face.
    QPainterPath lower;
    lower.moveTo(kFlightStart * L, 0);
    lower.lineTo(0.87 * L, 0.85 * w);
    lower.lineTo(1.0 * L, 0.9 * w);
    lower.lineTo(0.99 * L, 0);
    lower.closeSubpath();
    fill(lower, QColor(0x00, 0x9c, 0x1c), palette::kDeepGreen);

    QPainterPath shaft;
    shaft.addRoundedRect(
        QRectF(kBarrelEnd * L - 0.5, -0.24 * w, (kShaftEnd - kBarrelEnd) * L + 1, 0.48 * w),
        0.2 * w, 0.2 * w);
    fill(shaft, QColor(0x1c, 0x22, 0x1c), QColor());

    QPainterPath upper;
    upper.moveTo(kFlightStart * L, 0);
    upper.lineTo(0.86 * L, -1.3 * w);
    upper.lineTo(1.0 * L, -1.38 * w);
    upper.lineTo(0.99 * L, 0);
    upper.closeSubpath();
    QLinearGradient flightFace(QPointF(kFlightStart * L, 0), QPointF(L, -1.3 * w));
    flightFace.setColorAt(0, palette::kLime);
    flightFace.setColorAt(1, QColor(0x00, 0xb8, 0x20));
    fill(upper, flightFace, palette::kDeepGreen);
    if (!silhouette) {
        // The flight's fold catches the light.
        p.setPen(QPen(draw::withAlpha(palette::kWhite, 150), 0.35 * w / 4.0));
        p.drawLine(QPointF(0.70 * L, -0.30 * w), QPointF(0.97 * L, -0.95 * w));
    }

    QPainterPath point;
    point.moveTo(0, -0.04 * w);
    point.lineTo(kPointEnd * L, -0.22 * w);
    point.lineTo(kPointEnd * L, 0.22 * w);
    point.lineTo(0, 0.04 * w);
    point.closeSubpath();
    QLinearGradient steel(QPointF(0, -0.2 * w), QPointF(0, 0.2 * w));
    steel.setColorAt(0, palette::kWhite);
    steel.setColorAt(1, QColor(0x70, 0x76, 0x7c));
    fill(point, steel, QColor());

    QPainterPath barrel;
    const QRectF body(kPointEnd * L, -0.5 * w, (kBarrelEnd - kPointEnd) * L, w);
    barrel.addRoundedRect(body, 0.4 * w, 0.4 * w);
    QLinearGradient metal(QPointF(0, -0.5 * w), QPointF(0, 0.5 * w));
    metal.setColorAt(0, QColor(0xe8, 0xf0, 0xe8));
    metal.setColorAt(0.35, QColor(0x8c, 0x96, 0x8e));
    metal.setColorAt(1, QColor(0x26, 0x2c, 0x28));
    fill(barrel, metal, QColor(0x10, 0x14, 0x10));
    if (!silhouette) {
        // Grooves for the grip, and a lime collar where the shaft screws in.
        p.setPen(QPen(QColor(0x1a, 0x20, 0x1c, 170), 0.1 * w));
        for (int groove = 1; groove <= 4; ++groove) {
            const qreal x = body.left() + body.width() * (0.1 + 0.15 * groove);
            p.drawLine(QPointF(x, -0.4 * w), QPointF(x, 0.4 * w));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(palette::kLime);
        p.drawRoundedRect(QRectF(body.right() - 0.26 * w, -0.44 * w, 0.22 * w, 0.88 * w), 0.08 * w,
                          0.08 * w);
    }
}

}  // namespace

void drawDart(QPainter& p, const QPointF& tip, const QPointF& tail, qreal scale, bool shadow) {
    const QLineF axis(tip, tail);
    const Frame frame{axis.length(), 4.0 * scale};
    if (shadow) {
        // The tip is in the board, so the shadow starts there and falls away behind.
        const QLineF shadowAxis(tip, tail + QPointF(2.2, 2.6) * scale);
        p.save();
        p.translate(tip);
        p.rotate(-shadowAxis.angle());
        drawParts(p, Frame{shadowAxis.length(), frame.width}, true,
                  draw::withAlpha(palette::kBlack, 95));
        p.restore();
    }
    p.save();
    p.translate(tip);
    p.rotate(-axis.angle());
    drawParts(p, frame, false, QColor());
    p.restore();
}

void drawThrownDartPicture(QPainter& p) {
    drawDart(p, QPointF(0.2, 27.8), QPointF(33.0, 8.5), 1.25, true);
}
