#include "assets/generator/canvas.h"

#include <QImageWriter>
#include <QPainter>

QImage render(const Picture& picture, qreal scale) {
    QImage image(qRound(picture.width * scale), qRound(picture.height * scale),
                 picture.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(picture.transparent ? Qt::transparent : Qt::black);
    // The same density for every file, so nothing of the machine ends up in them.
    image.setDotsPerMeterX(qRound(3780 * scale));
    image.setDotsPerMeterY(qRound(3780 * scale));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    picture.draw(painter);
    painter.end();
    return image;
}

QString fileNameFor(const Picture& picture, int scale) {
    return picture.name + (scale == 2 ? QStringLiteral("@2x") : QString()) +
           (picture.transparent ? QStringLiteral(".png") : QStringLiteral(".jpg"));
}

bool save(const QImage& image, const Picture& picture, const QString& path) {
    QImageWriter writer(path, picture.transparent ? "png" : "jpeg");
    if (picture.transparent) {
        writer.setCompression(9);
        return writer.write(image.convertToFormat(QImage::Format_ARGB32));
    }
    writer.setQuality(95);
    writer.setOptimizedWrite(true);
    return writer.write(image.convertToFormat(QImage::Format_RGB888));
}
