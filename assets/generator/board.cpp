#include <QPainterPath>
#include <QRadialGradient>

#include "assets/generator/boardgeometry.h"
#include "assets/generator/draw.h"
#include "assets/generator/fonts.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace bg = boardgeometry;

namespace {

const QPointF kCentre(bg::kCentreX, bg::kCentreY);

QRectF circle(qreal radius) {
    return QRectF(kCentre.x() - radius, kCentre.y() - radius, 2 * radius, 2 * radius);
}

// Qt counts angles anticlockwise from three o'clock; the board clockwise from twelve.
qreal qtAngle(qreal boardDegrees) {
    return 90.0 - boardDegrees;
}

QPainterPath wedge(qreal inner, qreal outer, qreal fromDegrees, qreal toDegrees) {
    const qreal start = qtAngle(fromDegrees);
    const qreal sweep = -(toDegrees - fromDegrees);
    QPainterPath path;
    path.arcMoveTo(circle(outer), start);
    path.arcTo(circle(outer), start, sweep);
    path.arcTo(circle(inner), start + sweep, -sweep);
    path.closeSubpath();
    return path;
}

void drawSegments(QPainter& p) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 20; ++i) {
        const qreal from = i * bg::kSegmentDegrees - bg::kSegmentDegrees / 2;
        const qreal to = from + bg::kSegmentDegrees;
        // Even places (20 at the top) are dark with red rings, odd ones light with green.
        const bool dark = i % 2 == 0;
        const QColor single = dark ? palette::kInk : palette::kCream;
        const QColor ring = dark ? palette::kRed : palette::kBoardGreen;
        p.setBrush(single);
        p.drawPath(wedge(bg::kOuterBull, bg::kTrebleInner, from, to));
        p.drawPath(wedge(bg::kTrebleOuter, bg::kDoubleInner, from, to));
        p.setBrush(ring);
        p.drawPath(wedge(bg::kTrebleInner, bg::kTrebleOuter, from, to));
        p.drawPath(wedge(bg::kDoubleInner, bg::kDoubleOuter, from, to));
    }
    p.setBrush(palette::kBoardGreen);
    p.drawEllipse(circle(bg::kOuterBull));
    p.setBrush(palette::kRed);
    p.drawEllipse(circle(bg::kInnerBull));
}

// The wire that divides the board, drawn over the seams between the segments.
void drawWires(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xc9, 0xcd, 0xd0), 0.8));
    for (qreal radius : {bg::kInnerBull, bg::kOuterBull, bg::kTrebleInner, bg::kTrebleOuter,
                         bg::kDoubleInner, bg::kDoubleOuter})
        p.drawEllipse(circle(radius));
    for (int i = 0; i < 20; ++i) {
        const qreal radians = (i * bg::kSegmentDegrees - bg::kSegmentDegrees / 2) * M_PI / 180.0;
        const QPointF direction(std::sin(radians), -std::cos(radians));
        p.drawLine(kCentre + direction * bg::kOuterBull, kCentre + direction * bg::kDoubleOuter);
    }
}

void drawRim(QPainter& p) {
    QRadialGradient rim(kCentre, bg::kRimRadius);
    rim.setColorAt(0.70, QColor(0x10, 0x12, 0x10));
    rim.setColorAt(1.0, QColor(0x03, 0x04, 0x03));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(circle(bg::kRimRadius));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::kDarkGreen, 2.0));
    p.drawEllipse(circle(bg::kRimRadius - 1.0));
    p.setPen(QPen(palette::kLime, 1.0));
    p.drawEllipse(circle(bg::kRimRadius - 0.5));
}

void drawNumbers(QPainter& p) {
    const QFont font = fonts::sansBold(12);
    for (int i = 0; i < 20; ++i) {
        const qreal radians = i * bg::kSegmentDegrees * M_PI / 180.0;
        const QPointF at =
            kCentre + QPointF(std::sin(radians), -std::cos(radians)) * bg::kNumberRadius;
        const QRectF box(at.x() - 10, at.y() - 7, 20, 14);
        draw::centredText(p, box, font, QString::number(bg::kOrder[i]), palette::kLime);
    }
}

// Light from the upper left makes the flat board look slightly domed.
void drawSheen(QPainter& p) {
    QRadialGradient sheen(kCentre + QPointF(-30, -38), bg::kDoubleOuter * 1.5);
    sheen.setColorAt(0, draw::withAlpha(palette::kWhite, 38));
    sheen.setColorAt(0.55, draw::withAlpha(palette::kWhite, 0));
    sheen.setColorAt(1, draw::withAlpha(palette::kBlack, 45));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(circle(bg::kDoubleOuter));
}

}  // namespace

void drawBoard(QPainter& p, const QPointF& centre, qreal rimRadius, bool withNumbers) {
    p.save();
    p.translate(centre);
    p.scale(rimRadius / bg::kRimRadius, rimRadius / bg::kRimRadius);
    p.translate(-kCentre);
    drawRim(p);
    drawSegments(p);
    drawSheen(p);
    drawWires(p);
    if (withNumbers) drawNumbers(p);
    p.restore();
}

void drawDartboardPanel(QPainter& p) {
    p.fillRect(QRectF(0, 0, 229, 269), palette::kBlack);
    draw::glow(p, kCentre, 134, draw::withAlpha(palette::kDarkGreen, 150));
    // A soft shadow under the board lifts it off the wall.
    draw::glow(p, kCentre + QPointF(3, 5), bg::kRimRadius + 9, palette::kBlack, 0.88);
    drawBoard(p, kCentre, bg::kRimRadius, true);
}
