#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

// Pixel measures for checking what a picture shows.
namespace pixels {

QImage load(const QString& resource);

// Mean colour over a square of side 2 * half + 1 around a point.
QColor meanAround(const QImage& image, int x, int y, int half);

// Brightness 0..255 (Rec. 601 luma).
int luma(QColor colour);

bool isLime(QColor colour);

// Mean absolute difference of two equal-sized images, per channel, 0..255.
double meanDifference(const QImage& a, const QImage& b);

// How many pixels of the area are brighter (or darker) than the threshold.
int countBrighter(const QImage& image, const QRect& area, int threshold);
int countDarker(const QImage& image, const QRect& area, int threshold);

}  // namespace pixels
