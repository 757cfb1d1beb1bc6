#include "tests/assets/pixels.h"

#include <cstdlib>

namespace pixels {

QImage load(const QString& resource) {
    QImage image(resource);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

QColor meanAround(const QImage& image, int x, int y, int half) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx) {
            if (!image.valid(x + dx, y + dy)) continue;
            const QRgb p = image.pixel(x + dx, y + dy);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
            ++n;
        }
    if (n == 0) return QColor();
    return QColor(int(r / n), int(g / n), int(b / n));
}

int luma(QColor colour) {
    return (299 * colour.red() + 587 * colour.green() + 114 * colour.blue()) / 1000;
}

bool isLime(QColor colour) {
    return colour.green() > 150 && colour.red() < 130 && colour.blue() < 130;
}

double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

namespace {

template <typename Keep>
int count(const QImage& image, const QRect& area, Keep keep) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (keep(luma(QColor(image.pixel(x, y))))) ++n;
    return n;
}

}  // namespace

int countBrighter(const QImage& image, const QRect& area, int threshold) {
    return count(image, area, [threshold](int l) { return l > threshold; });
}

int countDarker(const QImage& image, const QRect& area, int threshold) {
    return count(image, area, [threshold](int l) { return l < threshold; });
}

}  // namespace pixels
