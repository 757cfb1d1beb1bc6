#include <QLinearGradient>

#include "assets/generator/draw.h"
#include "assets/generator/fonts.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

// "Quivel" in lime with a small dartboard for the final "o", a dart in its bull.
void drawLogo(QPainter& p, const QRectF& box, qreal pixelSize) {
    const QFont font = fonts::sansBold(pixelSize);
    const QString word = QStringLiteral("Quivel");
    QPainterPath text = draw::textPath(font, word);
    const QRectF ink = text.boundingRect();
    // The board is as tall as a lower-case letter grown a little.
    const qreal xHeight = draw::textPath(font, QStringLiteral("x")).boundingRect().height();
    const qreal boardRadius = xHeight * 0.74;
    const qreal gap = pixelSize * 0.08;
    const qreal total = ink.width() + gap + 2 * boardRadius;
    const QPointF origin(box.center().x() - total / 2 - ink.left(),
                         box.center().y() - ink.center().y());
    text.translate(origin);

    QLinearGradient fill(QPointF(0, origin.y() + ink.top()), QPointF(0, origin.y() + ink.bottom()));
    fill.setColorAt(0, palette::kLimeSoft);
    fill.setColorAt(0.45, palette::kLime);
    fill.setColorAt(1, QColor(0x00, 0xa8, 0x10));
    // Shadow, then a dark green outline, then the letters.
    p.fillPath(text.translated(pixelSize * 0.05, pixelSize * 0.07),
               draw::withAlpha(palette::kBlack, 200));
    p.strokePath(text, QPen(palette::kDarkGreen, pixelSize * 0.09, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
    p.fillPath(text, fill);

    const QPointF boardCentre(text.boundingRect().right() + gap + boardRadius,
                              origin.y() - xHeight / 2);
    drawBoard(p, boardCentre, boardRadius, false);
    drawDart(p, boardCentre, boardCentre + QPointF(boardRadius * 1.3, -boardRadius * 1.1),
             boardRadius / 8.0, true);
}

void drawDecoration(QPainter& p) {
    const QRectF box(0, 0, 187, 37);
    p.fillRect(box, palette::kBlack);
    drawLogo(p, box.adjusted(0, 2, -4, 0), 30);
}
