#pragma once

#include <array>
#include <cmath>

// Where things are on the dartboard picture, in 1x pixels of the 229 x 269 panel.
// Shared by the generator and the tests so that the thrown-dart places and the
// painted segments are checked against the same numbers.
namespace boardgeometry {

inline constexpr double kCentreX = 115.0;
inline constexpr double kCentreY = 135.0;

// Ring radii, from the centre out.
inline constexpr double kInnerBull = 8.0;
inline constexpr double kOuterBull = 15.0;
inline constexpr double kTrebleInner = 45.0;
inline constexpr double kTrebleOuter = 50.0;
inline constexpr double kDoubleInner = 77.0;
inline constexpr double kDoubleOuter = 82.0;
inline constexpr double kNumberRadius = 94.0;
inline constexpr double kRimRadius = 106.0;

inline constexpr double kSegmentDegrees = 18.0;

// Clockwise from the top.
inline constexpr std::array<int, 20> kOrder = {20, 1,  18, 4,  13, 6,  10, 15, 2,  17,
                                               3,  19, 7,  16, 8,  11, 14, 9,  12, 5};

enum class Ring { InnerBull, OuterBull, InnerSingle, Treble, OuterSingle, Double, Outside };

// Angle of a point seen from the centre, in degrees clockwise from straight up, 0..360.
inline double angleOf(double x, double y) {
    const double degrees = std::atan2(x - kCentreX, kCentreY - y) * 180.0 / M_PI;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

inline double radiusOf(double x, double y) {
    return std::hypot(x - kCentreX, y - kCentreY);
}

// Index into kOrder of the segment that holds the point.
inline int segmentIndexAt(double x, double y) {
    const double shifted = angleOf(x, y) + kSegmentDegrees / 2.0;
    return static_cast<int>(shifted / kSegmentDegrees) % 20;
}

inline int numberAt(double x, double y) {
    return kOrder[segmentIndexAt(x, y)];
}

// Index of a number in kOrder, or -1 when the board has no such number.
inline constexpr int indexOfNumber(int number) {
    for (int i = 0; i < 20; ++i)
        if (kOrder[i] == number) return i;
    return -1;
}

// Centre angle of a number's segment, degrees clockwise from straight up.
inline constexpr double centreAngleOf(int number) {
    return indexOfNumber(number) * kSegmentDegrees;
}

inline Ring ringAt(double radius) {
    if (radius < kInnerBull) return Ring::InnerBull;
    if (radius < kOuterBull) return Ring::OuterBull;
    if (radius < kTrebleInner) return Ring::InnerSingle;
    if (radius < kTrebleOuter) return Ring::Treble;
    if (radius < kDoubleInner) return Ring::OuterSingle;
    if (radius < kDoubleOuter) return Ring::Double;
    return Ring::Outside;
}

}  // namespace boardgeometry
