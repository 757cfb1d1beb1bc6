#include "assets/generator/fonts.h"

#include <QFontDatabase>
#include <QString>

namespace fonts {

namespace {

QFont make(const QString& family, const QString& style, qreal pixelSize) {
    QFont font = QFontDatabase::font(family, style, 12);
    font.setPixelSize(qRound(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoSubpixelAntialias));
    font.setKerning(true);
    return font;
}

}  // namespace

bool load() {
    const QString dir = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    bool ok = true;
    for (const char* file : {"DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf"})
        ok = QFontDatabase::addApplicationFont(dir + QLatin1String(file)) >= 0 && ok;
    return ok;
}

QFont sansBold(qreal pixelSize) {
    return make("DejaVu Sans", "Bold", pixelSize);
}
QFont condensedBold(qreal pixelSize) {
    return make("DejaVu Sans", "Condensed Bold", pixelSize);
}

}  // namespace fonts
