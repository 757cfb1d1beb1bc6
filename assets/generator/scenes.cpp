#include <QLinearGradient>
#include <QRadialGradient>

#include "assets/generator/draw.h"
#include "assets/generator/fonts.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

void drawDieTilted(QPainter& p, const QPointF& centre, qreal size, qreal degrees, int value) {
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    drawDie(p, QRectF(-size / 2, -size / 2, size, size), value);
    p.restore();
}

}  // namespace

void drawAbout(QPainter& p) {
    const QRectF box(0, 0, 96, 160);
    QLinearGradient wall(box.topLeft(), box.bottomLeft());
    wall.setColorAt(0, QColor(0x06, 0x1e, 0x0a));
    wall.setColorAt(1, palette::kBlack);
    p.fillRect(box, wall);
    const QPointF centre(48, 50);
    draw::glow(p, centre, 50, draw::withAlpha(palette::kLime, 40));
    draw::glow(p, centre + QPointF(2, 3), 41, palette::kBlack, 0.85);
    drawBoard(p, centre, 38, false);
    drawDart(p, centre + QPointF(1, 1), centre + QPointF(30, -24), 0.85, true);
    drawDart(p, centre + QPointF(-14, -18), centre + QPointF(6, -42), 0.7, true);

    drawDieTilted(p, QPointF(30, 110), 24, -12, 5);
    drawDieTilted(p, QPointF(63, 107), 24, 9, 6);
    drawDieTilted(p, QPointF(47, 128), 22, -3, 4);
    drawLogo(p, QRectF(0, 146, 96, 14), 14);
}

void drawIcon(QPainter& p) {
    const QPointF centre(30, 34);
    draw::glow(p, centre + QPointF(1.5, 2), 31, draw::withAlpha(palette::kBlack, 140), 0.85);
    drawBoard(p, centre, 29, false);
    drawDart(p, centre, QPointF(61, 5), 1.3, true);
}

namespace {

// A player seen from behind, a dark shape with the lamp's light on its edge.
void drawPlayer(QPainter& p, const QPointF& feet, qreal height, bool throwing, bool mirrored) {
    const qreal unit = height / 100.0;
    p.save();
    p.translate(feet);
    p.scale(unit * (mirrored ? -1 : 1), unit);
    QPainterPath body;
    body.moveTo(-27, 0);
    body.cubicTo(-28, -25, -29, -44, -25, -54);
    body.cubicTo(-21, -62, -12, -65, -6, -67);
    body.lineTo(-5, -76);
    body.lineTo(5, -76);
    body.lineTo(6, -67);
    body.cubicTo(12, -65, 21, -62, 25, -54);
    body.cubicTo(29, -44, 28, -25, 27, 0);
    body.closeSubpath();
    QPainterPath head;
    head.addEllipse(QPointF(0, -87), 10, 12);
    body = body.united(head);
    if (throwing) {
        // The throwing arm drawn back, elbow up, the dart beside the head.
        QPainterPath arm;
        arm.moveTo(19, -58);
        arm.lineTo(31, -80);
        arm.lineTo(21, -101);
        QPainterPathStroker stroker;
        stroker.setWidth(10);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        body = body.united(stroker.createStroke(arm));
    }
    QLinearGradient coat(QPointF(0, -100), QPointF(0, 0));
    coat.setColorAt(0, QColor(0x10, 0x2a, 0x13));
    coat.setColorAt(1, QColor(0x01, 0x03, 0x01));
    p.setPen(QPen(draw::withAlpha(palette::kLime, 200), 1.3 / unit));
    p.setBrush(coat);
    p.drawPath(body);
    if (throwing) drawDart(p, QPointF(15, -116), QPointF(23, -99), 1.3, false);
    p.restore();
}

}  // namespace

void drawDownload(QPainter& p) {
    const QRectF box(0, 0, 388, 300);
    const qreal floor = 214;
    p.fillRect(box, palette::kBlack);
    // The wall, papered with the background tile.
    for (qreal y = 0; y < floor; y += 64)
        for (qreal x = 0; x < box.width(); x += 64) {
            p.save();
            p.translate(x, y);
            p.setClipRect(QRectF(0, 0, 64, std::min<qreal>(64, floor - y)));
            drawBackgroundTile(p);
            p.restore();
        }
    QLinearGradient floorShade(QPointF(0, floor), QPointF(0, box.height()));
    floorShade.setColorAt(0, QColor(0x08, 0x16, 0x0a));
    floorShade.setColorAt(1, palette::kBlack);
    p.fillRect(QRectF(0, floor, box.width(), box.height() - floor), floorShade);
    p.setPen(QPen(palette::kDarkGreen, 2));
    p.drawLine(QPointF(0, floor), QPointF(box.width(), floor));

    const QPointF centre(194, 94);
    // The lamp over the board.
    QPainterPath cone;
    cone.moveTo(180, 0);
    cone.lineTo(208, 0);
    cone.lineTo(300, floor);
    cone.lineTo(88, floor);
    cone.closeSubpath();
    QLinearGradient beam(QPointF(0, 0), QPointF(0, floor));
    beam.setColorAt(0, draw::withAlpha(palette::kLime, 50));
    beam.setColorAt(1, draw::withAlpha(palette::kLime, 6));
    p.fillPath(cone, beam);
    draw::glow(p, centre, 90, draw::withAlpha(palette::kLime, 45));
    draw::glow(p, centre + QPointF(3, 6), 70, palette::kBlack, 0.86);
    drawBoard(p, centre, 66, true);
    drawDart(p, centre + QPointF(3, -37), centre + QPointF(27, -55), 0.85, true);
    drawDart(p, centre + QPointF(-22, 12), centre + QPointF(2, -6), 0.85, true);
    drawDart(p, centre + QPointF(1, 2), centre + QPointF(25, -16), 0.85, true);

    // The oche, the line the players throw from.
    p.setPen(QPen(palette::kLime, 2));
    p.drawLine(QPointF(120, 262), QPointF(268, 262));

    drawPlayer(p, QPointF(122, 306), 92, false, true);
    drawPlayer(p, QPointF(272, 306), 96, false, false);
    drawPlayer(p, QPointF(194, 300), 112, true, false);
    drawPlayer(p, QPointF(40, 318), 150, false, false);
    drawPlayer(p, QPointF(350, 318), 146, false, true);

    // The game's own dice on the wall shelf.
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kDarkGreen);
    p.drawRoundedRect(QRectF(300, 150, 74, 5), 2, 2);
    drawDieTilted(p, QPointF(318, 140), 18, -10, 6);
    drawDieTilted(p, QPointF(340, 141), 18, 6, 5);
    drawDieTilted(p, QPointF(360, 140), 16, 14, 1);

    drawLogo(p, QRectF(8, 8, 132, 32), 24);
}
