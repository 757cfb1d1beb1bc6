// Draws the game's pictures into a folder, at 1x and 2x, and the desktop icon at the
// sizes of the icon theme:
//   quivelo-assetgen [OUTPUT_DIR [ICON_DIR]]   (default: assets/images, assets/icons)
// Run it on the offscreen platform; the same program gives the same bytes.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "assets/generator/canvas.h"
#include "assets/generator/fonts.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 3 || (args.size() >= 2 && args[1].startsWith('-'))) {
        std::fprintf(stderr, "usage: quivelo-assetgen [OUTPUT_DIR [ICON_DIR]]\n");
        return 2;
    }
    const QString outDir = args.size() >= 2 ? args[1] : QStringLiteral("assets/images");
    const QString iconDir = args.size() == 3 ? args[2] : QStringLiteral("assets/icons");
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "quivelo-assetgen: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    if (!fonts::load()) {
        std::fprintf(stderr,
                     "quivelo-assetgen: the DejaVu fonts are missing (fonts-dejavu-core)\n");
        return 1;
    }
    int written = 0;
    for (const Picture& picture : allPictures()) {
        for (int scale : {1, 2}) {
            const QString path = QDir(outDir).filePath(fileNameFor(picture, scale));
            if (!save(render(picture, scale), picture, path)) {
                std::fprintf(stderr, "quivelo-assetgen: cannot write %s\n", qPrintable(path));
                return 1;
            }
            ++written;
        }
    }
    std::printf("quivelo-assetgen: %d pictures in %s\n", written, qPrintable(outDir));
    // The desktop icon, drawn afresh at each size of the hicolor theme.
    for (const Picture& picture : allPictures()) {
        if (picture.name != QLatin1String("icon")) continue;
        for (int size : {48, 128, 256}) {
            const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(iconDir).arg(size);
            const QString path = folder + "/org.quivelo.Quivelo.png";
            if (!QDir().mkpath(folder) ||
                !save(render(picture, qreal(size) / picture.width), picture, path)) {
                std::fprintf(stderr, "quivelo-assetgen: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
        std::printf("quivelo-assetgen: the icon in %s\n", qPrintable(iconDir));
    }
    return 0;
}
