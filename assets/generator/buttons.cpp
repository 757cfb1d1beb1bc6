#include "assets/generator/draw.h"
#include "assets/generator/fonts.h"
#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

void drawButtonFace(QPainter& p, const QRectF& box) {
    p.fillRect(box, palette::kBlack);
    draw::plate(p, box.adjusted(1, 1, -1, -1), 5, QColor(0x16, 0x6a, 0x22), palette::kDeepGreen,
                palette::kLime);
}

// Caption with an icon on its left, the pair centred on the button.
void drawCaption(QPainter& p, const QRectF& box, qreal iconWidth, const QString& text,
                 const QFont& font, const std::function<void(const QRectF&)>& icon) {
    const QRectF ink = draw::textPath(font, text).boundingRect();
    const qreal gap = 5;
    const qreal total = iconWidth + gap + ink.width();
    const qreal left = box.center().x() - total / 2;
    icon(QRectF(left, box.top(), iconWidth, box.height()));
    const QRectF textBox(left + iconWidth + gap, box.top(), ink.width(), box.height());
    draw::outlinedText(p, textBox, font, text, palette::kLime, palette::kBlack, 2.0);
}

}  // namespace

void drawThrowButton(QPainter& p) {
    const QRectF box(0, 0, 112, 28);
    drawButtonFace(p, box);
    drawCaption(p, box.adjusted(0, 0, 0, -1), 16, QStringLiteral("Throw Darts"),
                fonts::condensedBold(13), [&](const QRectF& at) {
                    drawDart(p, QPointF(at.left(), at.center().y() + 5),
                             QPointF(at.right(), at.center().y() - 6), 0.55, false);
                });
}

void drawAutoplaceButton(QPainter& p) {
    const QRectF box(0, 0, 102, 33);
    drawButtonFace(p, box);
    drawCaption(p, box.adjusted(0, 0, 0, -1), 18, QStringLiteral("Autoplace"),
                fonts::condensedBold(14), [&](const QRectF& at) {
                    // Two dice, one leaning on the other.
                    const QPointF c = at.center();
                    drawDie(p, QRectF(c.x() - 9, c.y() - 2, 11, 11), 3);
                    p.save();
                    p.translate(c + QPointF(4, -3));
                    p.rotate(18);
                    drawDie(p, QRectF(-5.5, -5.5, 11, 11), 5);
                    p.restore();
                });
}
