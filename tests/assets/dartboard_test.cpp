// The thrown-dart places of the game and the painted dartboard agree: a dart for a
// number has its tip inside that number's segment.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <map>

#include "assets/generator/boardgeometry.h"
#include "tests/assets/pixels.h"

namespace bg = boardgeometry;

namespace {

// Left and top of the thrown-dart picture, by number, as the game places it.
const std::map<int, QPoint> kPlaces = {
    {1, {130, 44}},  {2, {148, 150}},  {3, {114, 166}}, {4, {164, 66}},  {5, {90, 44}},
    {6, {173, 109}}, {7, {78, 156}},   {8, {54, 124}},  {9, {58, 68}},   {10, {172, 127}},
    {11, {49, 114}}, {12, {74, 53}},   {13, {171, 92}}, {14, {51, 91}},  {15, {164, 144}},
    {16, {62, 140}}, {17, {132, 162}}, {18, {145, 62}}, {19, {94, 162}}, {20, {113, 44}},
};
const QPoint kBull(115, 107);
const QPoint kDoubleBull(110, 111);
constexpr int kDartHeight = 28;  // the picture's tip is its bottom-left corner

QPoint tipOf(QPoint place) {
    return place + QPoint(0, kDartHeight);
}

// Degrees from a point to the nearest edge of its segment.
double marginInSegment(QPointF at) {
    const double offset =
        std::fmod(bg::angleOf(at.x(), at.y()) + bg::kSegmentDegrees / 2, bg::kSegmentDegrees);
    return std::min(offset, bg::kSegmentDegrees - offset);
}

enum class Paint { Dark, Cream, Red, Green, Other };

Paint classify(QColor c) {
    if (c.red() > 100 && c.red() > 2.5 * c.green() && c.red() > 2.5 * c.blue()) return Paint::Red;
    if (c.green() > 80 && c.green() > 1.6 * c.red() && c.green() > 1.3 * c.blue())
        return Paint::Green;
    if (pixels::luma(c) > 170) return Paint::Cream;
    if (pixels::luma(c) < 60) return Paint::Dark;
    return Paint::Other;
}

// What the board shows at a point: singles alternate dark and cream from the 20,
// which is dark; the treble and double rings are red on dark places, green on cream.
Paint expectedPaint(double x, double y) {
    const bool darkPlace = bg::segmentIndexAt(x, y) % 2 == 0;
    switch (bg::ringAt(bg::radiusOf(x, y))) {
        case bg::Ring::InnerBull:
            return Paint::Red;
        case bg::Ring::OuterBull:
            return Paint::Green;
        case bg::Ring::InnerSingle:
        case bg::Ring::OuterSingle:
            return darkPlace ? Paint::Dark : Paint::Cream;
        case bg::Ring::Treble:
        case bg::Ring::Double:
            return darkPlace ? Paint::Red : Paint::Green;
        case bg::Ring::Outside:
            break;
    }
    return Paint::Other;
}

TEST(DartboardGeometry, EveryDartTipFallsClearlyInsideItsNumber) {
    for (const auto& [number, place] : kPlaces) {
        SCOPED_TRACE(number);
        const QPoint tip = tipOf(place);
        EXPECT_EQ(bg::numberAt(tip.x(), tip.y()), number);
        EXPECT_GE(marginInSegment(tip), 2.0);
        const double radius = bg::radiusOf(tip.x(), tip.y());
        EXPECT_GE(radius, 50.0);
        EXPECT_LE(radius, 70.0);
        EXPECT_EQ(bg::ringAt(radius), bg::Ring::OuterSingle);
    }
}

TEST(DartboardGeometry, BullDartsLandInTheBullseye) {
    for (QPoint place : {kBull, kDoubleBull}) {
        const QPoint tip = tipOf(place);
        EXPECT_EQ(bg::ringAt(bg::radiusOf(tip.x(), tip.y())), bg::Ring::InnerBull);
    }
}

class DartboardPicture : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        scale = GetParam();
        board = pixels::load(scale == 2 ? ":/images/dartboard@2x.jpg" : ":/images/dartboard.jpg");
        ASSERT_EQ(board.size(), QSize(229 * scale, 269 * scale));
    }
    // The paint under a 1x point, looked at in the picture of this scale.
    Paint paintAt(QPointF at) const {
        return classify(pixels::meanAround(board, int(std::floor(at.x() * scale)),
                                           int(std::floor(at.y() * scale)), scale / 2));
    }
    int scale = 1;
    QImage board;
};
INSTANTIATE_TEST_SUITE_P(Scale, DartboardPicture, ::testing::Values(1, 2));

TEST_P(DartboardPicture, TipPointsShowTheirSegmentsPaint) {
    for (const auto& [number, place] : kPlaces) {
        SCOPED_TRACE(number);
        const QPoint tip = tipOf(place);
        const Paint paint = paintAt(tip);
        EXPECT_EQ(paint, expectedPaint(tip.x(), tip.y()));
        EXPECT_NE(paint, Paint::Other);
    }
    EXPECT_EQ(paintAt(tipOf(kBull)), Paint::Red);
    EXPECT_EQ(paintAt(tipOf(kDoubleBull)), Paint::Red);
}

// Each segment's middle, in every band, has the paint the geometry gives it.
TEST_P(DartboardPicture, PaintFollowsTheGeometry) {
    const double bands[] = {
        (bg::kOuterBull + bg::kTrebleInner) / 2, (bg::kTrebleInner + bg::kTrebleOuter) / 2,
        (bg::kTrebleOuter + bg::kDoubleInner) / 2, (bg::kDoubleInner + bg::kDoubleOuter) / 2};
    for (int number : bg::kOrder) {
        const double radians = bg::centreAngleOf(number) * M_PI / 180.0;
        for (double radius : bands) {
            const QPointF at(bg::kCentreX + radius * std::sin(radians),
                             bg::kCentreY - radius * std::cos(radians));
            EXPECT_EQ(paintAt(at), expectedPaint(at.x(), at.y()))
                << "number " << number << " radius " << radius;
        }
    }
}

TEST_P(DartboardPicture, NumbersArePrintedInLimeOnTheRing) {
    for (int number : bg::kOrder) {
        const double radians = bg::centreAngleOf(number) * M_PI / 180.0;
        const QPointF at(bg::kCentreX + bg::kNumberRadius * std::sin(radians),
                         bg::kCentreY - bg::kNumberRadius * std::cos(radians));
        int lime = 0;
        for (int dy = -6 * scale; dy <= 6 * scale; ++dy)
            for (int dx = -8 * scale; dx <= 8 * scale; ++dx) {
                const QPoint p(int(at.x() * scale) + dx, int(at.y() * scale) + dy);
                if (board.valid(p) && pixels::isLime(QColor(board.pixel(p)))) ++lime;
            }
        EXPECT_GT(lime, 10 * scale * scale) << number;
    }
    // Nothing is drawn into the panel's corners.
    EXPECT_LT(pixels::luma(pixels::meanAround(board, 2, 2, 1)), 30);
}

}  // namespace
