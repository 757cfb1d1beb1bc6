#pragma once

#include <QImage>
#include <QString>

#include "assets/generator/pictures.h"

// Draws a picture at a scale: the painter is scaled, so the 2x picture is drawn at
// its own size rather than enlarged from the 1x one.
QImage render(const Picture& picture, qreal scale);

// The file name for a scale: "dice3.jpg", "dice3@2x.jpg", "icon.png".
QString fileNameFor(const Picture& picture, int scale);

// JPEG at quality 95 for opaque pictures, PNG for those with transparency.
bool save(const QImage& image, const Picture& picture, const QString& path);
