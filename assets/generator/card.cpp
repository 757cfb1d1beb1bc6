#include <QRadialGradient>

#include "assets/generator/draw.h"
#include "assets/generator/fonts.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

// A score card cell is 15 wide; the picture's last column lies under the grid line.
const QRectF kCell(0, 0, 15, 16);

void drawLight(QPainter& p, const QPointF& centre, bool closed) {
    draw::glow(p, centre, 4.6, draw::withAlpha(palette::kLime, closed ? 150 : 110));
    QRadialGradient bead(centre + QPointF(-0.8, -0.9), 3.2);
    bead.setColorAt(0, closed ? palette::kWhite : palette::kLimeSoft);
    bead.setColorAt(0.45, palette::kLime);
    bead.setColorAt(1, QColor(0x00, 0x9a, 0x00));
    p.setPen(Qt::NoPen);
    p.setBrush(bead);
    p.drawEllipse(centre, 3.0, 3.0);
}

}  // namespace

void drawCardHeading(QPainter& p, const QString& text) {
    p.fillRect(QRectF(0, 0, 16, 16), palette::kBlack);
    QRectF plate = kCell.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kDeepGreen);
    p.drawRoundedRect(plate, 2, 2);
    const QFont font = text.size() > 1 ? fonts::condensedBold(10) : fonts::sansBold(11);
    draw::centredText(p, kCell, font, text, palette::kLime);
}

void drawMark(QPainter& p, int marks) {
    p.fillRect(QRectF(0, 0, 16, 16), palette::kBlack);
    const QPointF top(kCell.center().x(), 4.5);
    const QPointF bottom(kCell.center().x(), 11.5);
    if (marks == 1) drawLight(p, bottom, false);
    if (marks == 2) drawLight(p, top, false);
    if (marks >= 3) {
        drawLight(p, top, true);
        drawLight(p, bottom, true);
    }
}
