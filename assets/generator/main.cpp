// Draws the game's pictures into a folder, at 1x and 2x:
//   quivelo-assetgen [OUTPUT_DIR]     (default: assets/images)
// Run it on the offscreen platform; the same program gives the same bytes.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "assets/generator/canvas.h"
#include "assets/generator/fonts.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith('-'))) {
        std::fprintf(stderr, "usage: quivelo-assetgen [OUTPUT_DIR]\n");
        return 2;
    }
    const QString outDir = args.size() == 2 ? args[1] : QStringLiteral("assets/images");
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
    return 0;
}
