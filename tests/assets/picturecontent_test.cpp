// What the pictures show, as far as the game relies on it.
#include <gtest/gtest.h>

#include <QImage>

#include "tests/assets/pixels.h"

namespace {

QString path(const QString& name, int scale, const char* extension = ".jpg") {
    return ":/images/" + name + (scale == 2 ? "@2x" : "") + extension;
}

class BothScales : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Scale, BothScales, ::testing::Values(1, 2));

TEST_P(BothScales, ThrownDartIsMostlyClearWithItsTipAtTheBottomLeft) {
    const int s = GetParam();
    const QImage dart = pixels::load(path("throwndart", s, ".png"));
    ASSERT_EQ(dart.size(), QSize(40 * s, 28 * s));
    int clear = 0;
    for (int y = 0; y < dart.height(); ++y)
        for (int x = 0; x < dart.width(); ++x)
            if (qAlpha(dart.pixel(x, y)) == 0) ++clear;
    EXPECT_GT(clear, dart.width() * dart.height() / 3);

    // The tip: solid pixels close to the bottom-left corner.
    int solidNearTip = 0;
    for (int y = dart.height() - 6 * s; y < dart.height(); ++y)
        for (int x = 0; x < 6 * s; ++x)
            if (qAlpha(dart.pixel(x, y)) >= 220) ++solidNearTip;
    EXPECT_GT(solidNearTip, 0);

    // It points that way: the other corners hold nothing, the flight is up and right.
    EXPECT_EQ(qAlpha(dart.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(dart.pixel(dart.width() - 1, dart.height() - 1)), 0);
    int limeUpRight = 0;
    for (int y = 0; y < dart.height() / 2; ++y)
        for (int x = dart.width() * 2 / 3; x < dart.width(); ++x)
            if (qAlpha(dart.pixel(x, y)) == 255 && pixels::isLime(QColor(dart.pixel(x, y))))
                ++limeUpRight;
    EXPECT_GT(limeUpRight, 4 * s * s);
}

// 0 nothing, 1 a dot at the bottom, 2 a dot at the top, 3 both.
TEST_P(BothScales, MarksLightTheirDots) {
    const int s = GetParam();
    const QRect top(0, 0, 15 * s, 8 * s);
    const QRect bottom(0, 8 * s, 15 * s, 8 * s);
    const int bright = 140;
    const int dot = 6 * s * s;
    struct Case {
        int marks;
        bool top;
        bool bottom;
    };
    for (const Case& c :
         {Case{0, false, false}, Case{1, false, true}, Case{2, true, false}, Case{3, true, true}}) {
        SCOPED_TRACE(c.marks);
        const QImage mark = pixels::load(path(QString("mark%1").arg(c.marks), s));
        EXPECT_EQ(pixels::countBrighter(mark, top, bright) >= dot, c.top);
        EXPECT_EQ(pixels::countBrighter(mark, bottom, bright) >= dot, c.bottom);
        EXPECT_EQ(pixels::countBrighter(mark, top, bright) == 0, !c.top);
        EXPECT_EQ(pixels::countBrighter(mark, bottom, bright) == 0, !c.bottom);
    }
}

// More pips, more dark pixels on the face; the empty face has none.
TEST_P(BothScales, DiceShowTheirValue) {
    const int s = GetParam();
    const QRect face(6 * s, 6 * s, 20 * s, 20 * s);
    int previous = -1;
    for (int value = 0; value <= 6; ++value) {
        SCOPED_TRACE(value);
        const QImage die = pixels::load(path(QString("dice%1").arg(value), s));
        const int dark = pixels::countDarker(die, face, 90);
        if (value == 0)
            EXPECT_EQ(dark, 0);
        else
            EXPECT_GT(dark, previous + 8 * s * s);
        previous = dark;
        EXPECT_GT(pixels::luma(pixels::meanAround(die, 4 * s, 16 * s, 1)), 150);
    }
}

TEST_P(BothScales, DartColumnKeepsItsCaptionBandQuiet) {
    const int s = GetParam();
    const QImage column = pixels::load(path("dartcolumn", s));
    EXPECT_EQ(pixels::countBrighter(column, QRect(3 * s, 3 * s, 35 * s, 16 * s), 40), 0);
    // The slots are darker than the plate around them.
    for (int top : {25, 60, 96, 131}) {
        const int slot = pixels::luma(pixels::meanAround(column, 21 * s, (top + 16) * s, 4 * s));
        const int plate = pixels::luma(pixels::meanAround(column, 2 * s, (top + 16) * s, 0));
        EXPECT_LT(slot, plate) << top;
    }
}

// Laid side by side, the tile's edges meet as smoothly as its inside columns do.
TEST_P(BothScales, BackgroundTilesWithoutASeam) {
    const int s = GetParam();
    const QImage tile = pixels::load(path("background", s));
    auto columnStep = [&](int a, int b) {
        double sum = 0;
        for (int y = 0; y < tile.height(); ++y)
            sum += std::abs(pixels::luma(QColor(tile.pixel(a, y))) -
                            pixels::luma(QColor(tile.pixel(b, y))));
        return sum / tile.height();
    };
    auto rowStep = [&](int a, int b) {
        double sum = 0;
        for (int x = 0; x < tile.width(); ++x)
            sum += std::abs(pixels::luma(QColor(tile.pixel(x, a))) -
                            pixels::luma(QColor(tile.pixel(x, b))));
        return sum / tile.width();
    };
    double inside = 0;
    for (int i = 0; i + 1 < tile.width(); ++i)
        inside = std::max(inside, columnStep(i, i + 1));
    for (int i = 0; i + 1 < tile.height(); ++i)
        inside = std::max(inside, rowStep(i, i + 1));
    const int last = tile.width() - 1;
    EXPECT_LE(columnStep(last, 0), inside + 1.0);
    EXPECT_LE(rowStep(last, 0), inside + 1.0);
    // Subtle: a dark tile, so text on it stays readable.
    EXPECT_LT(pixels::luma(pixels::meanAround(tile, 32 * s, 32 * s, 30 * s)), 30);
}

}  // namespace
