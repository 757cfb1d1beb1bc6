#include <QLinearGradient>
#include <array>

#include "assets/generator/draw.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

// Die slots the window lays over the column, relative to the column's top left.
constexpr qreal kSlotLeft = 5;
constexpr qreal kSlotSize = 32;
constexpr std::array<qreal, 4> kSlotTops = {25, 60, 96, 131};
// The dart's value is written below the slots.
const QRectF kValueWell(4, 166, 33, 21);

void drawWell(QPainter& p, const QRectF& box) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x01, 0x05, 0x02));
    p.drawRoundedRect(box, 3, 3);
    // Shade along the top and left edge makes the well look sunk into the plate.
    QLinearGradient shade(box.topLeft(), box.topLeft() + QPointF(0, 5));
    shade.setColorAt(0, draw::withAlpha(palette::kBlack, 200));
    shade.setColorAt(1, draw::withAlpha(palette::kBlack, 0));
    p.setBrush(shade);
    p.drawRoundedRect(box, 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(draw::withAlpha(palette::kLime, 70), 1));
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

}  // namespace

void drawDartColumn(QPainter& p) {
    const QRectF box(0, 0, 41, 192);
    p.fillRect(box, palette::kBlack);
    QLinearGradient face(box.topLeft(), box.topRight());
    face.setColorAt(0, QColor(0x07, 0x2c, 0x0d));
    face.setColorAt(0.5, QColor(0x0c, 0x3e, 0x14));
    face.setColorAt(1, QColor(0x05, 0x24, 0x0a));
    p.setPen(QPen(palette::kDarkGreen, 1));
    p.setBrush(face);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    // The caption sits on a darker band, kept plain so the text reads well.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x02, 0x12, 0x05));
    p.drawRoundedRect(QRectF(2, 2, 37, 18), 3, 3);
    p.setPen(QPen(draw::withAlpha(palette::kLime, 110), 1));
    p.drawLine(QPointF(6, 21.5), QPointF(35, 21.5));

    for (qreal top : kSlotTops)
        drawWell(p, QRectF(kSlotLeft - 1, top - 1, kSlotSize + 2, kSlotSize + 2));
    // Small rivets between the slots hold the column together.
    for (int gap = 0; gap < 3; ++gap) {
        const qreal y = (kSlotTops[gap] + kSlotSize + kSlotTops[gap + 1]) / 2;
        for (qreal x : {9.0, 32.0}) {
            p.setPen(Qt::NoPen);
            p.setBrush(draw::withAlpha(palette::kLime, 90));
            p.drawEllipse(QPointF(x, y), 0.9, 0.9);
        }
    }
    drawWell(p, kValueWell);
}
