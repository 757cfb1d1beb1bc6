// Every picture is embedded at 1x and 2x, decodes in its format and has its size.
#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QSet>

#include "tests/assets/pixels.h"

namespace {

struct Expected {
    const char* name;
    int width;
    int height;
    bool png;
};

const std::vector<Expected>& expectedPictures() {
    static const std::vector<Expected> list = [] {
        std::vector<Expected> l = {
            {"dartboard", 229, 269, false}, {"throwndart", 40, 28, true},
            {"dartcolumn", 41, 192, false}, {"throwbutton", 112, 28, false},
            {"autoplace", 102, 33, false},  {"decoration", 187, 37, false},
            {"eyes", 37, 17, false},        {"background", 64, 64, false},
            {"about", 96, 160, false},      {"download", 388, 300, false},
            {"icon", 64, 64, true},         {"cardbull", 16, 16, false},
        };
        static const char* dice[] = {"dice0", "dice1", "dice2", "dice3", "dice4", "dice5", "dice6"};
        for (const char* d : dice)
            l.push_back({d, 32, 32, false});
        static const char* cards[] = {"card15", "card16", "card17", "card18", "card19", "card20"};
        for (const char* c : cards)
            l.push_back({c, 16, 16, false});
        static const char* marks[] = {"mark0", "mark1", "mark2", "mark3"};
        for (const char* m : marks)
            l.push_back({m, 16, 16, false});
        return l;
    }();
    return list;
}

QString fileName(const Expected& e, bool twice) {
    return QString::fromLatin1(e.name) + (twice ? "@2x" : "") + (e.png ? ".png" : ".jpg");
}

TEST(Pictures, EveryPictureIsEmbeddedAtBothScalesAndNothingElse) {
    QSet<QString> expected;
    for (const Expected& e : expectedPictures()) {
        expected.insert(fileName(e, false));
        expected.insert(fileName(e, true));
    }
    const QStringList present = QDir(":/images").entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), expected);
}

TEST(Pictures, DecodeInTheirFormatAtTheirSize) {
    for (const Expected& e : expectedPictures()) {
        for (int scale : {1, 2}) {
            const QString path = ":/images/" + fileName(e, scale == 2);
            SCOPED_TRACE(path.toStdString());
            QImageReader reader(path);
            EXPECT_EQ(reader.format(), e.png ? QByteArray("png") : QByteArray("jpeg"));
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
            EXPECT_EQ(image.size(), QSize(e.width * scale, e.height * scale));
            EXPECT_EQ(image.hasAlphaChannel(), e.png);
        }
    }
}

// The 2x drawing shows the same thing as the 1x one: reduced to 1x they nearly agree.
TEST(Pictures, TwiceSizeDrawingMatchesTheSingleSize) {
    for (const Expected& e : expectedPictures()) {
        SCOPED_TRACE(e.name);
        QImage single = pixels::load(":/images/" + fileName(e, false));
        QImage twice = pixels::load(":/images/" + fileName(e, true));
        ASSERT_FALSE(single.isNull());
        ASSERT_FALSE(twice.isNull());
        const QImage reduced =
            twice.scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(pixels::meanDifference(single, reduced), 14.0);
    }
}

}  // namespace
