#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

// Small drawing helpers shared by the pictures. Everything is drawn in 1x units;
// the canvas scales the painter for the 2x pictures.
namespace draw {

// The outline of a text, its baseline starting at the origin.
QPainterPath textPath(const QFont& font, const QString& text);

// Fills a text so that its inked shape is centred in the box.
void centredText(QPainter& p, const QRectF& box, const QFont& font, const QString& text,
                 const QBrush& brush);

// Like centredText, with a dark outline around the letters for contrast.
void outlinedText(QPainter& p, const QRectF& box, const QFont& font, const QString& text,
                  const QBrush& fill, const QColor& outline, qreal outlineWidth);

// A rounded, bevelled plate: the face of the buttons and panels.
void plate(QPainter& p, const QRectF& box, qreal radius, const QColor& top, const QColor& bottom,
           const QColor& border);

// A soft light that fades out from its centre.
// solid: the fraction of the radius that keeps the full colour.
void glow(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour, qreal solid = 0);

QColor withAlpha(QColor colour, int alpha);

}  // namespace draw
