#include <QLinearGradient>
#include <QRadialGradient>
#include <array>

#include "assets/generator/draw.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

// Pip places on a 3 x 3 grid, row by row.
constexpr std::array<const char*, 7> kPips = {
    "         ", "    o    ", "o       o", "o   o   o", "o o   o o", "o o o o o", "o oo oo o",
};

void drawPip(QPainter& p, const QPointF& centre, qreal radius) {
    QRadialGradient hollow(centre + QPointF(-0.3, -0.4) * radius, radius * 1.1);
    hollow.setColorAt(0, QColor(0x3a, 0x3e, 0x3a));
    hollow.setColorAt(1, QColor(0x02, 0x03, 0x02));
    p.setPen(Qt::NoPen);
    p.setBrush(hollow);
    p.drawEllipse(centre, radius, radius);
    // The lower lip of the hollow catches the light.
    p.setPen(QPen(draw::withAlpha(palette::kWhite, 170), radius * 0.22));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 200 * 16,
              140 * 16);
}

}  // namespace

void drawDie(QPainter& p, const QRectF& box, int value) {
    const qreal unit = box.width() / 32.0;
    const QRectF body = box.adjusted(1.0 * unit, 1.0 * unit, -1.0 * unit, -1.0 * unit);
    const qreal corner = 6.0 * unit;

    QLinearGradient face(body.topLeft(), body.bottomRight());
    face.setColorAt(0, palette::kWhite);
    face.setColorAt(0.6, QColor(0xee, 0xf0, 0xea));
    face.setColorAt(1, QColor(0xb4, 0xba, 0xb2));
    p.setPen(QPen(QColor(0x56, 0x5c, 0x56), 1.0 * unit));
    p.setBrush(face);
    p.drawRoundedRect(body, corner, corner);
    // An inner edge shows where the rounded sides begin.
    p.setPen(QPen(draw::withAlpha(palette::kWhite, 200), 1.0 * unit));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(1.5 * unit, 1.5 * unit, -1.5 * unit, -1.5 * unit),
                      corner - 2 * unit, corner - 2 * unit);

    const char* pattern = kPips[static_cast<size_t>(value)];
    const qreal step = 7.6 * unit;
    const QPointF middle = body.center();
    for (int cell = 0; cell < 9; ++cell) {
        if (pattern[cell] != 'o') continue;
        const QPointF at = middle + QPointF((cell % 3 - 1) * step, (cell / 3 - 1) * step);
        drawPip(p, at, 2.9 * unit);
    }
}
