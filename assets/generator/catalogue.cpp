#include "assets/generator/palette.h"
#include "assets/generator/pictures.h"

namespace {

void fillBlack(QPainter& p, int width, int height) {
    p.fillRect(QRectF(0, 0, width, height), palette::kBlack);
}

}  // namespace

std::vector<Picture> allPictures() {
    std::vector<Picture> list = {
        {"dartboard", 229, 269, false, drawDartboardPanel},
        {"throwndart", 40, 28, true, drawThrownDartPicture},
        {"dartcolumn", 41, 192, false, drawDartColumn},
    };
    for (int value = 0; value <= 6; ++value)
        list.push_back({QStringLiteral("dice%1").arg(value), 32, 32, false, [value](QPainter& p) {
                            fillBlack(p, 32, 32);
                            drawDie(p, QRectF(0, 0, 32, 32), value);
                        }});
    for (int number = 15; number <= 21; ++number) {
        const QString text = number == 21 ? QStringLiteral("B") : QString::number(number);
        const QString name = number == 21 ? QStringLiteral("cardbull") : "card" + text;
        list.push_back({name, 16, 16, false, [text](QPainter& p) { drawCardHeading(p, text); }});
    }
    for (int marks = 0; marks <= 3; ++marks)
        list.push_back({QStringLiteral("mark%1").arg(marks), 16, 16, false,
                        [marks](QPainter& p) { drawMark(p, marks); }});
    list.insert(list.end(), {
                                {"throwbutton", 112, 28, false, drawThrowButton},
                                {"autoplace", 102, 33, false, drawAutoplaceButton},
                                {"decoration", 187, 37, false, drawDecoration},
                                {"eyes", 37, 17, false,
                                 [](QPainter& p) {
                                     fillBlack(p, 37, 17);
                                     drawEyes(p, QRectF(0, 0, 37, 17));
                                 }},
                                {"background", 64, 64, false, drawBackgroundTile},
                                {"about", 96, 160, false, drawAbout},
                                {"download", 388, 300, false, drawDownload},
                                {"icon", 64, 64, true, drawIcon},
                            });
    return list;
}
